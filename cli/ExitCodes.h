#pragma once

namespace lumora::cli {

// Exit codes of lumora-cli. Run statuses map to their own codes so a pipeline can tell a design
// with failing tests from a KORVEN that could not be reached.
namespace exitcode {
constexpr int Success = 0;
constexpr int ViolationsFound = 1; // --fail-on saw findings of the chosen severity
constexpr int BadInput = 2;        // a bad command line, script or design file
constexpr int TestsFailed = 3;     // a run ended with failing tests or steps (-998)
constexpr int NotConnected = 4;    // KORVEN could not be connected (-999)
} // namespace exitcode

} // namespace lumora::cli
