#include "testlogic/RunDriver.h"
#include "log/ProductInfo.h"

#include "log/clsLogFile.h"
#include "log/clsTestTimer.h"
#include "script/LocaleService.h"
#include "script/clsTestItem.h"
#include "testlogic/RowColours.h"
#include "tests/korven/CallbackPump.h"
#include "tests/korven/KorvenFixture.h"
#include "tests/log/FakeClock.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <functional>
#include <memory>

using namespace lumora;
using Lines = std::vector<std::string>;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

const std::string kTop = "Top Surface Thru-hole Component Orientation";
const std::string kBottom = "Bottom Surface SMT Component Orientation";

// A script window reduced to what the run driver reads and writes: rows with their check box,
// counts and colours, the run state and the per-run logs in a folder of the test's choosing.
class ScriptedRunWindow : public RunWindow {
  public:
    struct Row {
        clsTestItem test;
        bool checked = true;
        RowCounts counts{};
        uint32_t fore = kBlack;
        uint32_t back = kWhite;
    };

    ScriptedRunWindow(clsKORVEN& korven, const Clock& clock) : korven_(korven), clock_(clock) {}

    std::vector<Row> rows;
    RunState state;
    RunTotals runTotals;
    LogSwitches logSwitches;
    long shownRow = 0;
    long selectedRow = -1;

    Row& row(long number) { return rows.at(static_cast<std::size_t>(number - 1)); }

    clsLogFile* logFile() override { return log_.get(); }
    clsTestTimer* timeLogFile() override { return timeLog_.get(); }
    clsKORVEN& objKorven() override { return korven_; }
    void updateTests(const std::string& value) override {
        if (state.lngCurRow == -1) {
            return;
        }
        std::string& cell =
            value == "Marginal" ? row(state.lngCurRow).counts.marginal : row(state.lngCurRow).counts.critical;
        cell = std::to_string(std::stol(cell) + 1);
        ++(value == "Marginal" ? marginal_ : critical_);
    }
    void resetTestCnt() override { marginal_ = critical_ = 0; }
    long getCurMarginal() const override { return marginal_; }
    long getCurCritical() const override { return critical_; }

    const std::string& scriptFilename() const override { return filename_; }
    int32_t scriptUnits() const override { return 1; }
    RunState& runState() override { return state; }
    RunTotals& totals() override { return runTotals; }
    void createRunLogs(const RunSettings& settings) override {
        log_ = std::make_unique<clsLogFile>(settings.logFolder, clock_);
        timeLog_ = std::make_unique<clsTestTimer>(settings.logFolder, logSwitches, clock_);
    }
    void releaseRunLogs() override {
        log_.reset();
        timeLog_.reset();
    }
    long lastRow() const override { return static_cast<long>(rows.size()); }
    bool rowChecked(long number) const override { return rows.at(number - 1).checked; }
    clsTestItem& rowTest(long number) override { return row(number).test; }
    RowCounts rowCounts(long number) const override { return rows.at(number - 1).counts; }
    void setRowCounts(long number, const RowCounts& counts) override { row(number).counts = counts; }
    void setRowForeColor(long number, uint32_t colour) override { row(number).fore = colour; }
    void setRowBackColor(long number, uint32_t colour) override { row(number).back = colour; }
    void showRow(long number) override { shownRow = number; }
    void selectRow(long number) override { selectedRow = number; }

  private:
    clsKORVEN& korven_;
    const Clock& clock_;
    std::string filename_ = "/scripts/checks.dfm";
    std::unique_ptr<clsLogFile> log_;
    std::unique_ptr<clsTestTimer> timeLog_;
    long marginal_ = 0;
    long critical_ = 0;
};

// The progress window and message boxes as one list of what the user saw.
class RecordingHost : public RunHost, public StatusDisplay, public MessageDisplay {
  public:
    StatusDisplay& statusWindow() override { return *this; }
    MessageDisplay& messageBoxes() override { return *this; }
    bool testRunning() const override { return running; }
    void setTestRunning(bool value) override { running = value; }

    void showStatus(const std::string& msgString, int16_t min, int16_t max) override {
        shown.push_back(min == 0 && max == 0
                            ? msgString
                            : msgString + " " + std::to_string(min) + ".." + std::to_string(max));
        if (onStatus) {
            onStatus(msgString);
        }
    }
    void setProgress(int16_t progress) override { shown.push_back("progress " + std::to_string(progress)); }
    void hideStatus() override { shown.push_back("hide"); }
    void showMessage(const std::string& text, MessageKind) override { messages.push_back(text); }

    bool running = false;
    Lines shown;
    Lines messages;
    std::function<void(const std::string&)> onStatus;
};

Lines splitLines(const std::string& text) {
    Lines lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// Lines from the first that begins with prefix up to the end.
Lines fromFirst(const Lines& lines, const std::string& prefix) {
    auto found = std::ranges::find_if(lines, [&](const std::string& l) { return l.starts_with(prefix); });
    return {found, lines.end()};
}

class RunDriverTest : public test::KorvenFixture {
  protected:
    RunDriverTest() {
        settings.logFolder = dir.path();
        scriptOneBoard();
        setEventPump(&pump);
    }
    ~RunDriverTest() override { setEventPump(nullptr); }

    void addRow(const std::string& name, std::vector<std::pair<std::string, std::string>> parameters = {}) {
        ScriptedRunWindow::Row row;
        row.test.strName = name;
        row.test.setDefaults();
        for (const auto& [key, value] : parameters) {
            row.test.addProperty(key, value);
        }
        runWindow.rows.push_back(std::move(row));
    }

    int16_t run(long start = 1, bool fresh = true) {
        return runTests(runWindow, host, settings, start, fresh);
    }

    // The run log's lines after the banner block of the last run.
    Lines runLog() const {
        Lines lines = splitLines(dir.read("runner.log"));
        auto banner = std::ranges::find_if(lines.rbegin(), lines.rend(), [](const std::string& l) {
            return l.starts_with("Lumora Runner v.");
        });
        return {banner.base() + 1, lines.end()};
    }
    Lines timeLog() const { return splitLines(dir.read("testtimes.csv")); }
    // The calls of the named methods, in order.
    Lines callsOf(const Lines& methods) const {
        Lines picked;
        for (const std::string& call : korven.calls()) {
            if (std::ranges::any_of(methods,
                                    [&](const std::string& m) { return call.starts_with(m + "("); })) {
                picked.push_back(call);
            }
        }
        return picked;
    }
    std::string passedLine() const { return "   Test On board.cc : SUCCEDED {Marginal: 0  Critical: 0}"; }

    ScopedLocale locale{{".", ","}};
    test::TempDir dir;
    test::FakeClock clock{test::march7At0905()};
    ScriptedRunWindow runWindow{objKorven, clock};
    RecordingHost host;
    RunSettings settings;
    test::CallbackPump pump;
};

} // namespace

TEST_F(RunDriverTest, WithoutKorvenTheRunStopsAtOnceAndStillEndsBothLogs) {
    korven.running = false;
    addRow(kTop);
    runWindow.state.lngNextRow = 3;

    EXPECT_EQ(run(), runnercode::Failed);
    const std::string message = "KORVEN must be running to run any tests.";
    EXPECT_EQ(host.messages, Lines{message});
    EXPECT_EQ(runLog(), Lines{message});
    EXPECT_EQ(
        timeLog(),
        (Lines{"", "", "Lumora Runner v." + versionText() + " Time Log File on 2024-03-07 09:05:03",
               "Script file: /scripts/checks.dfm", "ccFilename: ", "", "Number of Panels : 0", "",
               "Number of Boards : 0", "", "", "Test Name,Test Time,Marginal Violations,Critical Violations",
               "", "Pre-processing,0", "", ""}));
    EXPECT_TRUE(callsOf({"GetAPIVersion", "IssueCommand", "AllowableComponentOrientation"}).empty());
    EXPECT_EQ(runWindow.row(1).back, kWhite);
    EXPECT_EQ(runWindow.state.lngNextRow, 3);
    EXPECT_FALSE(runWindow.state.blnRunning);
    EXPECT_FALSE(host.running);
    EXPECT_EQ(runWindow.logFile(), nullptr);
    EXPECT_EQ(runWindow.timeLogFile(), nullptr);
}

TEST_F(RunDriverTest, ALogFolderThatCannotBeWrittenEndsTheRunWithAMessage) {
    dir.write("plain-file", "");
    settings.logFolder = dir.path() / "plain-file" / "logs";
    addRow(kTop);

    EXPECT_EQ(run(), runnercode::Failed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].starts_with("beginLog {Path/File access error (")) << host.messages[0];
    EXPECT_TRUE(host.messages[0].ends_with(")}")) << host.messages[0];
    EXPECT_TRUE(callsOf({"GetAPIVersion", "AllowableComponentOrientation"}).empty());
    EXPECT_FALSE(runWindow.state.blnRunning);
    EXPECT_FALSE(host.running);
}

TEST_F(RunDriverTest, AScriptWithNoCheckedTestPreprocessesFullyAndRunsNothing) {
    addRow(kTop);
    addRow(kBottom);
    runWindow.rows[0].checked = runWindow.rows[1].checked = false;

    EXPECT_EQ(run(), runstatus::Done);
    EXPECT_EQ(runLog(), Lines{""});
    EXPECT_EQ(callsOf({"TurnOnResponse", "GenerateDFxOutlines", "IssueCommand", "ClearAllDRCs", "Redraw",
                       "TurnOffResponseByID", "AllowableComponentOrientation"}),
              (Lines{"TurnOnResponse(\"Quillmark.Response\") -> 0", "GenerateDFxOutlines() -> 0",
                     "IssueCommand(601) -> 0", "IssueCommand(33201) -> 0", "ClearAllDRCs() -> 0",
                     "Redraw() -> 0", "TurnOffResponseByID(\"Quillmark.Response\") -> 0"}));
    EXPECT_EQ(host.shown,
              (Lines{"Connecting to KORVEN", "Setting up KORVEN responses", "Genereating DFx Outlines",
                     "Loading KORVEN layers", "Generating Pin Pitches", "Generate SMD Data", "Clearing DRCs",
                     "Pre-processing test data 0..2", "progress 1", "progress 2", "hide", "hide"}));
    EXPECT_EQ(runWindow.row(1).fore, colour::GrayText);
    EXPECT_EQ(runWindow.row(2).fore, colour::GrayText);
    EXPECT_EQ(runWindow.row(2).back, kWhite);
    EXPECT_EQ(runWindow.selectedRow, 0);
    Lines times = timeLog();
    EXPECT_EQ(Lines(times.end() - 5, times.end()),
              (Lines{"", "Pre-processing,0", "Process Soldermask,0", "", ""}));
}

TEST_F(RunDriverTest, RowsAreColouredByResultAndTheirCountsAddUp) {
    addRow(kTop);
    addRow(kBottom);
    addRow("Not A Test");
    addRow(kBottom);
    runWindow.rows[1].checked = false;
    korven.queueDrcs({{"DRC Added", "Marginal"}, {"DRC Added", "Critical"}, {"DRC Added", "Marginal"}});
    korven.queueDrcs({{"DRC Added", "Critical"}});
    runWindow.runTotals = {7, 7};

    EXPECT_EQ(run(), runstatus::Failures);
    EXPECT_EQ(runLog(),
              (Lines{"", "Test : " + kTop, "   Test On board.cc : SUCCEDED {Marginal: 2  Critical: 1}",
                     "   Total Violations : {Marginal: 2   Critical: 1}", "", "Test : Not A Test",
                     "   Test Not A Test : FAILED {Not A Valid Test}", "", "Test : " + kBottom,
                     "   Test On board.cc : SUCCEDED {Marginal: 0  Critical: 1}",
                     "   Total Violations : {Marginal: 0   Critical: 1}", ""}));
    EXPECT_EQ(runWindow.row(1).back, colour::Green);
    EXPECT_EQ(runWindow.row(1).counts.marginal, "2");
    EXPECT_EQ(runWindow.row(2).fore, colour::GrayText);
    EXPECT_EQ(runWindow.row(2).back, kWhite);
    EXPECT_EQ(runWindow.row(2).counts.marginal, "");
    EXPECT_EQ(runWindow.row(3).back, colour::Red);
    EXPECT_EQ(runWindow.row(3).counts.marginal, "0");
    EXPECT_EQ(runWindow.row(4).back, colour::Green);
    EXPECT_EQ(runWindow.runTotals.marginal, 2);
    EXPECT_EQ(runWindow.runTotals.critical, 2);
    EXPECT_EQ(runWindow.shownRow, 4);
    EXPECT_EQ(runWindow.state.lngNextRow, 1);
    EXPECT_EQ(runWindow.state.lngCurRow, -1);
    Lines times = fromFirst(timeLog(), kTop);
    EXPECT_EQ(times, (Lines{kTop + ",0,2,1", "Not A Test,0,0,0", kBottom + ",0,0,1", "", ""}));
}

TEST_F(RunDriverTest, ATestStoppedAtTheDrcLimitShowsYellowOnBlueAndStillCounts) {
    settings.intDRCLimit = 2;
    addRow(kTop);
    korven.queueDrcs({{"DRC Added", "Marginal"}, {"DRC Added", "Critical"}, {"DRC Added", "Marginal"}});

    EXPECT_EQ(run(), runstatus::Done);
    EXPECT_EQ(korven.drcLimit(), 2);
    EXPECT_EQ(runWindow.row(1).fore, colour::Yellow);
    EXPECT_EQ(runWindow.row(1).back, colour::Blue);
    EXPECT_EQ(runWindow.runTotals.marginal, 1);
    EXPECT_EQ(runWindow.runTotals.critical, 1);
    EXPECT_EQ(runLog(),
              (Lines{"", "Test : " + kTop,
                     "   Test On board.cc : SUCCEDED {dfmAllowableComponentOrientation {Too Many Errors}}",
                     "   Total Violations : {Marginal: 1   Critical: 1}", ""}));
}

TEST_F(RunDriverTest, StopDuringTheThirdTestThenContinueFromTheFourthAppendsToBothLogs) {
    for (const std::string& name : {kTop, kBottom, kTop, kBottom}) {
        addRow(name);
    }
    pump.onEvents = [&] {
        if (runWindow.state.lngCurRow == 3) {
            runWindow.state.blnStop = true; // Stop pressed while the third test is under way
        }
    };
    EXPECT_EQ(run(), runstatus::Done);
    EXPECT_EQ(runWindow.state.lngNextRow, 4);
    EXPECT_EQ(runWindow.row(3).back, colour::Green);
    EXPECT_EQ(runWindow.row(4).back, kWhite);
    EXPECT_EQ(runWindow.row(4).counts.marginal, "");
    EXPECT_EQ(runLog().size(), 13u); // the empty line, then three tests of four lines

    pump.onEvents = nullptr;
    korven.clearCalls();
    korven.queueDrcs({{"DRC Added", "Critical"}});
    runWindow.row(1).counts = {"5", "5"}; // earlier counts do not enter the new totals
    EXPECT_EQ(run(runWindow.state.lngNextRow, false), runstatus::Done);

    EXPECT_EQ(runLog(),
              (Lines{"", "Test : " + kBottom, "   Test On board.cc : SUCCEDED {Marginal: 0  Critical: 1}",
                     "   Total Violations : {Marginal: 0   Critical: 1}", ""}));
    Lines all = splitLines(dir.read("runner.log"));
    EXPECT_EQ(std::ranges::count(all, "Test : " + kTop), 2); // rows 1 and 3 of the first run
    EXPECT_EQ(
        std::ranges::count_if(all, [](const std::string& l) { return l.starts_with("Lumora Runner v."); }),
        2);
    EXPECT_TRUE(callsOf({"GenerateDFxOutlines", "ClearAllDRCs"}).empty());
    EXPECT_EQ(std::ranges::count(host.shown, std::string("Clearing DRCs")), 1);
    EXPECT_EQ(runWindow.row(4).back, colour::Green);
    EXPECT_EQ(runWindow.runTotals.marginal, 0);
    EXPECT_EQ(runWindow.runTotals.critical, 1);
    EXPECT_EQ(runWindow.state.lngNextRow, 1);
    EXPECT_EQ(runWindow.state.lngCurRow, -1);

    Lines times = timeLog();
    EXPECT_EQ(std::ranges::count(times, "Test Name,Test Time,Marginal Violations,Critical Violations"), 2);
    EXPECT_EQ(fromFirst(times, kTop),
              (Lines{kTop + ",0,0,0",
                     kBottom + ",0,0,0",
                     kTop + ",0,0,0",
                     "",
                     "",
                     "",
                     "",
                     "Lumora Runner v." + versionText() + " Time Log File on 2024-03-07 09:05:03",
                     "Script file: /scripts/checks.dfm",
                     "ccFilename: design.cc",
                     "",
                     "Number of Panels : 0",
                     "",
                     "Number of Boards : 1",
                     "board.cc,0 Components,0 Pins,0 Vias,0 Fiducals,",
                     "",
                     "",
                     "Test Name,Test Time,Marginal Violations,Critical Violations",
                     "",
                     "Pre-processing,0",
                     "Process Soldermask,0",
                     kBottom + ",0,0,1",
                     "",
                     ""}));
}

TEST_F(RunDriverTest, AStopBeforeTheDrcStepIsDiscardedAndOneAfterItRunsNoTest) {
    addRow(kTop);
    addRow(kBottom);
    runWindow.state.blnStop = true; // left from an earlier press
    host.onStatus = [&](const std::string& status) {
        if (status == "Connecting to KORVEN") {
            runWindow.state.blnStop = true;
        }
    };
    EXPECT_EQ(run(), runstatus::Done);
    EXPECT_EQ(runWindow.row(2).back, colour::Green);

    host.onStatus = [&](const std::string& status) {
        if (status == "Pre-processing test data") {
            runWindow.state.blnStop = true;
        }
    };
    EXPECT_EQ(run(2, false), runstatus::Done);
    EXPECT_EQ(runWindow.state.lngNextRow, 2);
    EXPECT_EQ(runLog(), Lines{""});
}

TEST_F(RunDriverTest, SaveOnFailEndsTheRunAtTheFirstFailingTest) {
    settings.blnSaveOnFail = true;
    addRow(kTop);
    addRow(kBottom);
    addRow(kTop);
    korven.queueCode("AllowableComponentOrientation", 0);
    korven.queueCode("AllowableComponentOrientation", -3);

    EXPECT_EQ(run(), runstatus::Failures);
    Lines log = runLog();
    ASSERT_EQ(log.size(), 7u);
    EXPECT_EQ(log[5], "Test : " + kBottom);
    EXPECT_TRUE(log[6].starts_with("   Test On board.cc : FAILED {dfmAllowableComponentOrientation {"))
        << log[6];
    EXPECT_EQ(callsOf({"SaveDataFileAs"}).size(), 1u);
    EXPECT_EQ(runWindow.row(2).back, colour::Red);
    EXPECT_EQ(runWindow.row(3).back, kWhite);
    EXPECT_EQ(runWindow.state.lngCurRow, 2);
    EXPECT_EQ(callsOf({"TurnOffResponseByID"}).size(), 1u);
}

TEST_F(RunDriverTest, ClearDrcOnRunUncheckedStillShowsAndTimesTheStep) {
    runWindow.logSwitches.blnExpandedRep = true;
    settings.blnClearDRC = false;
    addRow(kTop);

    EXPECT_EQ(run(), runstatus::Done);
    EXPECT_TRUE(callsOf({"ClearAllDRCs"}).empty());
    EXPECT_NE(std::ranges::find(host.shown, "Clearing DRCs"), host.shown.end());
    Lines preprocessing = fromFirst(timeLog(), "Pre-processing,");
    preprocessing.resize(8);
    EXPECT_EQ(preprocessing,
              (Lines{"Pre-processing,0", "_____KORVEN Connection,0", "_____Generate Outlines,0",
                     "_____Load Layers,0", "_____Generate Pin Pitch Data,0", "_____Generate SMD,0",
                     "_____Clear DRC's,0", "Process Soldermask,0"}));
}

TEST_F(RunDriverTest, EachFailingPreprocessingStepEndsTheRunBeforeAnyTest) {
    struct Case {
        std::function<void(test::RecordingKorven&)> fail;
        std::string logPrefix;
    };
    const std::vector<Case> cases{
        {[](auto& k) { k.setCode("GenerateDFxOutlines", 2); }, "Could not create DFx outlines in KORVEN.{"},
        {[](auto& k) { k.setCode("GenerateDFxOutlines", -1); }, "Could not create DFx outlines in KORVEN.{"},
        {[](auto& k) { k.layers = {test::ScriptedLayer{.code = -5}}; },
         "ERROR: Occured While Accessing GetLayers.\r\n\tGetLayerInfo {"},
        {[](auto& k) { k.layers = {test::ScriptedLayer{.code = -1}}; },
         "ERROR: Occured While Accessing GetLayers.\r\n\tGetLayerInfo {"},
        {[](auto& k) { k.queueCode("IssueCommand", -1); }, "ERROR: generating pin pitches.{"},
        {[](auto& k) {
             k.queueCode("IssueCommand", 0);
             k.queueCode("IssueCommand", -1);
         },
         "ERROR: generating SMD components.{"},
    };
    for (const Case& failing : cases) {
        korven.layers.clear();
        korven.setCode("GenerateDFxOutlines", 0);
        korven.clearCalls();
        runWindow.rows.clear();
        addRow(kTop);
        failing.fail(korven);

        EXPECT_EQ(run(), runstatus::Failures) << failing.logPrefix;
        Lines log = runLog();
        std::string all;
        for (const std::string& line : log) {
            all += line + "\r\n";
        }
        EXPECT_TRUE(all.starts_with(failing.logPrefix)) << all;
        EXPECT_EQ(all.find("Test : "), std::string::npos) << all;
        EXPECT_EQ(runWindow.row(1).back, kWhite);
        EXPECT_EQ(callsOf({"TurnOffResponseByID"}).size(), 1u);
    }
}

TEST_F(RunDriverTest, APositivePinPitchCodeIsNoFailure) {
    korven.setCode("IssueCommand", 2);
    addRow(kTop);
    EXPECT_EQ(run(), runstatus::Done);
    EXPECT_EQ(runWindow.row(1).back, colour::Green);
}

TEST_F(RunDriverTest, WithoutTheCallbackTheTestsRunUncounted) {
    automationRegistry().unregisterResponseClass(kResponseProgId);
    addRow(kTop);
    korven.queueDrcs({{"DRC Added", "Marginal"}});

    EXPECT_EQ(run(), runstatus::Done);
    Lines log = runLog();
    ASSERT_FALSE(log.empty());
    EXPECT_TRUE(log[0].starts_with("Could not set up a response from KORVEN.{")) << log[0];
    EXPECT_EQ(runWindow.row(1).counts.marginal, "0");
    EXPECT_EQ(runWindow.row(1).back, colour::Green);
}

TEST_F(RunDriverTest, AFailingSoldermaskStepIsReportedWithItsSource) {
    korven.setCode("ProcessSolderMask", -3);
    addRow("Testpoint Pad Size", {{"Include_Soldermask", "Yes"}});

    EXPECT_EQ(run(), runstatus::Failures);
    Lines log = runLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_TRUE(log[1].starts_with("Error creating soldermask geometries. {dfmProcessSolderMask {"))
        << log[1];
    EXPECT_TRUE(log[1].ends_with("}}")) << log[1];
    EXPECT_EQ(runWindow.row(1).back, kWhite);
}

TEST_F(RunDriverTest, PackageTestsAreTimedPerPairOfPackages) {
    addRow("Real Part To Real Part", {{"Package_1", "soic"}, {"Package_2", "QFP"}, {"Marginal_Top", "abc"}});
    EXPECT_EQ(run(), runstatus::Failures);
    EXPECT_EQ(runLog(),
              (Lines{"", "Test : Real Part To Real Part - soic To QFP", "   Invalid Parameters", ""}));
    EXPECT_EQ(fromFirst(timeLog(), "Real Part"),
              (Lines{"Real Part To Real Part - soic To QFP,0,0,0", "", ""}));
}

TEST_F(RunDriverTest, TheRunningWindowIsCurrentAndMarkedRunningWhileTestsRun) {
    addRow(kTop);
    setFrmCurChild(nullptr);
    std::vector<bool> seen;
    pump.onEvents = [&] {
        seen = {frmCurChild() == &runWindow, runWindow.state.blnRunning, host.running,
                runWindow.logFile() != nullptr};
    };
    EXPECT_EQ(run(), runstatus::Done);
    EXPECT_EQ(seen, (std::vector<bool>{true, true, true, true}));
}
