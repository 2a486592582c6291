#include "log/LogFileError.h"
#include "log/ProductInfo.h"
#include "log/clsTestTimer.h"
#include "tests/log/FakeClock.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>

using namespace lumora;
using lumora::test::FakeClock;
using lumora::test::march7At0905;
using lumora::test::TempDir;
using std::chrono::minutes;
using std::chrono::seconds;

namespace {

class CountingDesign : public DesignSummarySource {
  public:
    DesignSummary designSummary() override {
        ++queries;
        return {{{"PANEL1.pnl", 4, 3}},
                {{"CPU Board.brd", 1234, 5678, 310, 3}, {"Daughter.brd", 0, 0, 0, 0}}};
    }
    int queries = 0;
};

// Puts the C and the C++ global locale on German numbers ("2,31", "1.234") while it lives; streams
// created meanwhile take that locale too.
class GermanNumbers {
  public:
    GermanNumbers() {
        const char* current = std::setlocale(LC_NUMERIC, nullptr);
        savedC_ = current != nullptr ? current : "C";
        if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
            return;
        }
        std::locale::global(std::locale(std::locale::classic(), "de_DE.UTF-8", std::locale::numeric));
        std::setlocale(LC_NUMERIC, "de_DE.UTF-8"); // locale::global resets the C locale
        active_ = true;
    }
    ~GermanNumbers() {
        std::locale::global(savedGlobal_);
        std::setlocale(LC_NUMERIC, savedC_.c_str());
    }
    GermanNumbers(const GermanNumbers&) = delete;
    GermanNumbers& operator=(const GermanNumbers&) = delete;

    bool active() const { return active_; }

  private:
    std::string savedC_;
    std::locale savedGlobal_;
    bool active_ = false;
};

const std::string kHead = "\r\n"
                          "\r\n"
                          "Lumora Runner v." +
                          versionText() +
                          " Time Log File on 2024-03-07 09:05:03\r\n"
                          "Script file: /home/qa/board checks.dfm\r\n"
                          "ccFilename: mainboard.cc\r\n"
                          "\r\n"
                          "Number of Panels : 1\r\n"
                          "PANEL1.pnl,4 Boards,3 Fiducals\r\n"
                          "\r\n"
                          "Number of Boards : 2\r\n"
                          "CPU Board.brd,1234 Components,5678 Pins,310 Vias,3 Fiducals,\r\n"
                          "Daughter.brd,0 Components,0 Pins,0 Vias,0 Fiducals,\r\n"
                          "\r\n"
                          "\r\n"
                          "Test Name,Test Time,Marginal Violations,Critical Violations\r\n"
                          "\r\n";

// Step lines of runSteps below, with and without the sub-process lines.
const std::string kExpandedSteps = "Pre-processing,5.79\r\n"
                                   "_____KORVEN Connection,1.16\r\n"
                                   "_____Load Layers,2.31\r\n"
                                   "_____Generate SMD,1.16\r\n"
                                   "Process Soldermask,0\r\n"
                                   "Component To Board Edge,34.72,12,0\r\n"
                                   "_____Flatten Components,2.31\r\n"
                                   "_____Component To Board Edge Check,31.25\r\n";
const std::string kPlainSteps = "Pre-processing,5.79\r\n"
                                "Process Soldermask,0\r\n"
                                "Component To Board Edge,34.72,12,0\r\n";
const std::string kTail = "\r\n\r\n";

class TimeLog : public ::testing::Test {
  protected:
    TempDir dir;
    FakeClock clock{march7At0905()};
    LogSwitches switches;
    CountingDesign design;

    void begin(clsTestTimer& timer, bool startNew) {
        timer.beginLog("/home/qa/board checks.dfm", "mainboard.cc", design, startNew);
    }

    // The shape of a run: pre-processing with sub-processes (one left running into the next, one
    // stopped only by stopTimer), a soldermask step without any, a test that found violations.
    void runSteps(clsTestTimer& timer) {
        timer.startTimer("Pre-processing");
        timer.startSubProcessTimer("KORVEN Connection");
        clock.advance(seconds{1});
        timer.stopSubProcessTimer();
        clock.advance(seconds{1});
        timer.startSubProcessTimer("Load Layers");
        clock.advance(seconds{2});
        timer.startSubProcessTimer("Generate SMD");
        clock.advance(seconds{1});
        timer.stopTimer();
        clock.advance(seconds{3}); // between stopTimer and the report: not counted
        timer.reportTestTimes("", "");

        timer.startTimer("Process Soldermask");
        timer.stopTimer();
        timer.reportTestTimes("", "");

        timer.startTimer("Component To Board Edge");
        timer.startSubProcessTimer("Flatten Components");
        clock.advance(seconds{2});
        timer.stopSubProcessTimer();
        clock.advance(seconds{1});
        timer.startSubProcessTimer("Component To Board Edge Check");
        clock.advance(seconds{27});
        timer.stopTimer();
        timer.reportTestTimes("12", "0");
    }

    void fullRun(bool startNew) {
        clsTestTimer timer(dir.path(), switches, clock);
        begin(timer, startNew);
        runSteps(timer);
        timer.endLog();
    }

    std::string written() const { return dir.read("testtimes.csv"); }
    bool fileExists() const { return std::filesystem::exists(dir.path() / "testtimes.csv"); }
};

} // namespace

TEST_F(TimeLog, NewRunWritesSummaryAndStepLines) {
    dir.write("testtimes.csv", "old,1.16\r\n");
    fullRun(true);
    EXPECT_EQ(written(), kHead + kPlainSteps + kTail);
    EXPECT_EQ(design.queries, 1);
}

TEST_F(TimeLog, ScriptFileLineShowsTheFullPathOfAScriptNamedAsTyped) {
    clsTestTimer timer(dir.path(), switches, clock);
    timer.beginLog("scripts/board checks.dfm", "mainboard.cc", design, true);
    timer.endLog();
    const std::string full = (std::filesystem::current_path() / "scripts" / "board checks.dfm").string();
    EXPECT_NE(written().find("\r\nScript file: " + full + "\r\n"), std::string::npos) << written();
}

TEST_F(TimeLog, ExpandedReportingAddsOneLinePerSubProcess) {
    switches.blnExpandedRep = true;
    fullRun(true);
    EXPECT_EQ(written(), kHead + kExpandedSteps + kTail);
}

TEST_F(TimeLog, ContinueAppendsAnotherHeadAndItsSteps) {
    fullRun(true);
    clock.advance(minutes{10});
    fullRun(false);
    std::string secondHead = kHead; // 38 s of steps and ten minutes after the first run began
    secondHead.replace(secondHead.find("09:05:03"), 8, "09:15:41");
    EXPECT_EQ(written(), kHead + kPlainSteps + kTail + secondHead + kPlainSteps + kTail);
}

TEST_F(TimeLog, CountsAreLeftOutOnlyWhenEmpty) {
    switches.blnExpandedRep = true;
    clsTestTimer timer(dir.path(), switches, clock);
    begin(timer, true);
    timer.startTimer("Via To Via");
    timer.reportTestTimes("0", "0");
    timer.startTimer("Testpoint To Testpoint");
    timer.reportTestTimes("3", "");
    timer.startTimer("Board Fiducials");
    timer.reportTestTimes("", "7");
    timer.endLog();
    EXPECT_EQ(written(),
              kHead + "Via To Via,0,0,0\r\nTestpoint To Testpoint,0,3\r\nBoard Fiducials,0,7\r\n" + kTail);
}

TEST_F(TimeLog, EndLogReportsAStepStillRunning) {
    clsTestTimer timer(dir.path(), switches, clock);
    begin(timer, true);
    timer.startTimer("Pad To Pad");
    clock.advance(seconds{2});
    timer.endLog();
    EXPECT_EQ(written(), kHead + "Pad To Pad,2.31\r\n" + kTail);
}

TEST_F(TimeLog, StartTimerForgetsTheSubProcessesOfTheStepBefore) {
    switches.blnExpandedRep = true;
    clsTestTimer timer(dir.path(), switches, clock);
    begin(timer, true);
    timer.startTimer("Failing Test");
    timer.startSubProcessTimer("dfmFlattenLayer");
    clock.advance(seconds{1});
    // the test failed before its report; the driver starts the next one
    timer.startTimer("Next Test");
    timer.startSubProcessTimer("dfmDistanceCheck");
    clock.advance(seconds{1});
    timer.reportTestTimes("1", "0");
    timer.endLog();
    EXPECT_EQ(written(), kHead + "Next Test,1.16,1,0\r\n_____dfmDistanceCheck,1.16\r\n" + kTail);
}

TEST_F(TimeLog, SecondBeginLogNeitherQueriesNorWritesAnotherHead) {
    clsTestTimer timer(dir.path(), switches, clock);
    begin(timer, true);
    begin(timer, true);
    timer.endLog();
    EXPECT_EQ(design.queries, 1);
    EXPECT_EQ(written(), kHead + kTail);
}

TEST_F(TimeLog, SwitchOffCreatesNoFileAndAsksKorvenNothing) {
    switches.blnGenTestTimes = false;
    switches.blnExpandedRep = true;
    fullRun(true);
    EXPECT_FALSE(fileExists());
    EXPECT_EQ(design.queries, 0);
}

TEST_F(TimeLog, SwitchOffLeavesAnEarlierFileAlone) {
    dir.write("testtimes.csv", "earlier,1.16\r\n");
    switches.blnGenTestTimes = false;
    fullRun(true);
    EXPECT_EQ(written(), "earlier,1.16\r\n");
}

TEST_F(TimeLog, SwitchTurnedOnDuringARunWritesNothing) {
    switches.blnGenTestTimes = false;
    clsTestTimer timer(dir.path(), switches, clock);
    begin(timer, true);
    switches.blnGenTestTimes = true;
    runSteps(timer);
    timer.endLog();
    EXPECT_FALSE(fileExists());
    EXPECT_EQ(design.queries, 0);
}

TEST_F(TimeLog, NumbersIgnoreTheProcessLocale) {
    GermanNumbers german;
    if (!german.active()) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    switches.blnExpandedRep = true;
    fullRun(true);
    EXPECT_EQ(written(), kHead + kExpandedSteps + kTail);
}

TEST_F(TimeLog, UnwritableFolderIsAnErrorOfTheCaller) {
    std::filesystem::path folder = dir.write("not a folder", "");
    clsTestTimer timer(folder, switches, clock);
    try {
        timer.beginLog("/home/qa/board checks.dfm", "mainboard.cc", design, true);
        FAIL() << "beginLog opened a file below a plain file";
    } catch (const LogFileError& error) {
        EXPECT_EQ(error.source(), "beginLog");
        EXPECT_NE(std::string(error.what()).find((folder / "testtimes.csv").string()), std::string::npos)
            << error.what();
    }
    EXPECT_FALSE(timer.isOpen());
    runSteps(timer);
    timer.endLog();
}
