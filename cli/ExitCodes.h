#pragma once

#include <array>

namespace lumora::cli {

// Exit codes of lumora-cli. Run statuses map to their own codes so a pipeline can tell a design
// with failing tests from a KORVEN that could not be reached.
namespace exitcode {
constexpr int Success = 0;
constexpr int ViolationsFound = 1;     // --fail-on saw findings of the chosen severity
constexpr int BadInput = 2;            // a bad command line, script or design file
constexpr int TestsFailed = 3;         // a run ended with failing tests or steps (-998)
constexpr int NotConnected = 4;        // KORVEN could not be connected (-999)
constexpr int LogFolderUnwritable = 5; // the run could not open its logs and did not start (-999)
constexpr int FileNotWritten = 6;      // a log or a file asked for could not be written to its end
constexpr int Stopped = 7;             // a run was stopped (Ctrl-C) before its last test
constexpr int Incomplete = 8;          // --merge: designs of the output folder have no complete result
} // namespace exitcode

struct ExitCodeMeaning {
    int code;
    const char* meaning;
};

// What --help says about each exit code; README.md and docs/reliability.md repeat it.
inline constexpr std::array kExitCodeMeanings{
    ExitCodeMeaning{exitcode::Success, "every run passed"},
    ExitCodeMeaning{exitcode::ViolationsFound, "violations found (--fail-on)"},
    ExitCodeMeaning{exitcode::BadInput, "bad input (command line, script or design file)"},
    ExitCodeMeaning{exitcode::TestsFailed, "a run had failing tests or steps"},
    ExitCodeMeaning{exitcode::NotConnected, "KORVEN could not be connected"},
    ExitCodeMeaning{exitcode::LogFolderUnwritable, "the log folder cannot be written"},
    ExitCodeMeaning{exitcode::FileNotWritten, "a log or an output file could not be written"},
    ExitCodeMeaning{exitcode::Stopped, "a run was stopped before its last test"},
    ExitCodeMeaning{exitcode::Incomplete, "designs have no complete result (--merge)"},
};

// The order in which the statuses win when several apply, the first first (docs/reliability.md).
inline constexpr std::array kExitCodeOrder{
    exitcode::LogFolderUnwritable, exitcode::NotConnected, exitcode::TestsFailed,     exitcode::Stopped,
    exitcode::FileNotWritten,      exitcode::BadInput,     exitcode::ViolationsFound, exitcode::Success};

} // namespace lumora::cli
