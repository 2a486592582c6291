// Ctrl-C reaches a run of the command line as the Stop button reaches a window's run: discarded
// during the preparation, and ending the run (with its own exit status) during the tests; once the
// tests are over, the results and files are written to their end.

#include "cli/CliRun.h"
#include "cli/ExitCodes.h"
#include "tests/support/FailingKorven.h"
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

// The example script on the single board, with its logs in home.
CliOptions singleBoardRun(const lumora::test::TempDir& home) {
    CliOptions options;
    options.scripts = {LUMORA_SOURCE_DIR "/examples/scripts/smt-assembly.dfm"};
    options.design = LUMORA_SOURCE_DIR "/examples/designs/single-board.json";
    options.home = home.path().string();
    return options;
}

TEST(CtrlCTest, AStopAskedForDuringPreprocessingIsDiscardedAndEveryTestRuns) {
    lumora::test::TempDir home;
    const CliOptions options = singleBoardRun(home);
    InterruptWhileConnecting progress;
    std::ostream err(&progress);
    std::ostringstream out;
    runCli(options, out, err);
    EXPECT_NE(home.read("runner.log").find("Test : Top Surface Thru-hole Component Orientation"),
              std::string::npos)
        << "the last test ran\n"
        << out.str();
}

struct StoppedRun {
    int code = 0;
    std::string log;
    std::string table;
};

// The script on the single board, with Ctrl-C pressed before KORVEN call `call` (0: never).
StoppedRun runInterruptedAt(const std::string& script, long call, long* calls = nullptr) {
    lumora::test::TempDir home;
    FailingKorven interrupting(automationRegistry(), {.failingCall = call, .kind = FaultKind::Interrupt});
    ProviderRegistration first(automationRegistry(), interrupting);
    CliOptions options = singleBoardRun(home);
    options.scripts = {LUMORA_SOURCE_DIR "/examples/scripts/" + script};
    options.quiet = true;
    std::ostringstream out;
    std::ostringstream err;
    StoppedRun run;
    run.code = runCli(options, out, err);
    run.log = home.read("runner.log");
    run.table = out.str();
    if (calls != nullptr) {
        *calls = interrupting.record().calls;
    }
    return run;
}

// Stopped three quarters into its KORVEN calls, well inside the tests.
StoppedRun runStoppedLate(const std::string& script, const std::string& lastTest) {
    long calls = 0;
    const StoppedRun whole = runInterruptedAt(script, 0, &calls);
    EXPECT_NE(whole.log.find("Test : " + lastTest), std::string::npos) << whole.log;
    StoppedRun stopped = runInterruptedAt(script, calls * 3 / 4);
    EXPECT_EQ(stopped.log.find("Test : " + lastTest), std::string::npos) << "the run went on\n"
                                                                         << stopped.log;
    return stopped;
}

TEST(CtrlCTest, AStopDuringTheTestsHasItsOwnExitStatusAndFailuresBeforeItStillCount) {
    // Every test passes here; the panel tests of all-tests.dfm fail on a board without a panel.
    const StoppedRun passing =
        runStoppedLate("smt-assembly.dfm", "Top Surface Thru-hole Component Orientation");
    EXPECT_EQ(passing.code, exitcode::Stopped) << passing.table;
    const StoppedRun failing = runStoppedLate("all-tests.dfm", "Via In SMT Pad");
    EXPECT_NE(failing.table.find("failed"), std::string::npos) << failing.table;
    EXPECT_EQ(failing.code, exitcode::TestsFailed) << failing.table;
}

// The results table: the user presses Ctrl-C as soon as it is printed, the tests being over.
class InterruptWhilePrinting : public std::stringbuf {
  protected:
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        if (!pressed_) {
            pressed_ = true;
            std::raise(SIGINT);
        }
        return std::stringbuf::xsputn(text, count);
    }

  private:
    bool pressed_ = false;
};

// Ctrl-C after the last test killed the output phase: a cut temporary file stayed, report.json was
// new while markers.json was the previous run's, standard output was cut, exit 130. The first
// Ctrl-C then lets every file and the whole table be written, and says so.
TEST(CtrlCTest, OnceTheTestsAreOverCtrlCLetsEveryOutputFinishAndSaysSo) {
    lumora::test::TempDir home;
    CliOptions options = singleBoardRun(home);
    options.quiet = true;
    options.markers = (home.path() / "markers.json").string();
    options.reports.report = (home.path() / "report.json").string();
    InterruptWhilePrinting table;
    std::ostream out(&table);
    std::ostringstream err;
    EXPECT_EQ(runCli(options, out, err), exitcode::Success) << err.str();
    EXPECT_NE(table.str().find("      Total"), std::string::npos) << table.str();
    EXPECT_TRUE(home.read("markers.json").ends_with("]\n"));
    EXPECT_TRUE(home.read("report.json").ends_with("}\n"));
    EXPECT_EQ(err.str(),
              "Lumora Runner: Ctrl-C: the tests are over; their results and files are written to the "
              "end first (Ctrl-C again ends the program at once, leaving them unfinished)\n");
}

} // namespace
} // namespace lumora::cli::test
