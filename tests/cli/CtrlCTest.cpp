// Ctrl-C reaches a run of the command line as the Stop button reaches a window's run.

#include "cli/CliRun.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>

namespace lumora::cli::test {
namespace {

// The progress stream: the user presses Ctrl-C while KORVEN is being connected.
class InterruptWhileConnecting : public std::stringbuf {
  protected:
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        if (std::string_view(text, static_cast<std::size_t>(count)).find("Connecting to KORVEN") !=
            std::string_view::npos) {
            std::raise(SIGINT);
        }
        return std::stringbuf::xsputn(text, count);
    }
};

TEST(CtrlCTest, AStopAskedForDuringPreprocessingIsDiscardedAndEveryTestRuns) {
    lumora::test::TempDir home;
    CliOptions options;
    options.scripts = {LUMORA_SOURCE_DIR "/examples/scripts/smt-assembly.dfm"};
    options.design = LUMORA_SOURCE_DIR "/examples/designs/single-board.json";
    options.home = home.path().string();
    InterruptWhileConnecting progress;
    std::ostream err(&progress);
    std::ostringstream out;
    runCli(options, out, err);
    EXPECT_NE(home.read("runner.log").find("Test : Top Surface Thru-hole Component Orientation"),
              std::string::npos)
        << "the last test ran\n"
        << out.str();
}

} // namespace
} // namespace lumora::cli::test
