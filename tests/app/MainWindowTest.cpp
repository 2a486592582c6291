#include "app/MDIMain.h"
#include "log/ProductInfo.h"
#include "testlogic/RowColours.h"
#include "testlogic/RunDriver.h"
#include "tests/app/ScriptedInterface.h"
#include "tests/korven/CallbackPump.h"
#include "tests/ui/UiFixture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace lumora;
using Lines = std::vector<std::string>;

namespace {

const std::string kTop = "Top Surface Thru-hole Component Orientation";

// A main window with two script windows of one orientation test each, on a design of one board.
class MainWindow : public test::UiFixture {
  protected:
    MainWindow() {
        setEventPump(&pump);
        const std::string script =
            "<DFM_Script version=\"2.0\"><Settings Units=\"1\"/><Test name=\"" + kTop + "\"/></DFM_Script>";
        home.write("first.dfm", script);
        home.write("second.dfm", script);
        main.openScripts(home.path().string(), {"first.dfm", "second.dfm"}, 1);
    }
    ~MainWindow() override { setEventPump(nullptr); }

    frmTests& first() { return *main.windows().at(0); }
    frmTests& second() { return *main.windows().at(1); }
    long connections() const { return std::ranges::count(ui.statuses, std::string("Connecting to KORVEN")); }

    test::ScriptedInterface ui;
    MDIMain main{ui, home.path()};
    test::CallbackPump pump;
};

} // namespace

TEST_F(MainWindow, TheCaptionCarriesTheVersion) {
    EXPECT_EQ(main.caption(), "Lumora Runner v. " + versionText());
    EXPECT_EQ(main.childCount(), 2);
}

TEST_F(MainWindow, ABatchGoesOnAfterFailuresAndThenShowsTheRunLog) {
    korven.queueCode("AllowableComponentOrientation", -3);
    EXPECT_EQ(main.runBatch(), runstatus::Failures);
    EXPECT_EQ(connections(), 2);
    EXPECT_EQ(first().grid().backColor(1, TestGrid::Name), colour::Red);
    EXPECT_EQ(second().grid().backColor(1, TestGrid::Name), colour::Green);
    EXPECT_EQ(ui.opened, std::vector<std::filesystem::path>{home.path() / "runner.log"});
    EXPECT_EQ(main.frmCurChild(), &second());
}

TEST_F(MainWindow, ABatchEndsAtARunThatCouldNotStart) {
    korven.running = false;
    EXPECT_EQ(main.runBatch(), runnercode::Failed);
    EXPECT_EQ(connections(), 1);
    EXPECT_EQ(second().grid().text(1, TestGrid::Marginal), "");
    EXPECT_TRUE(ui.opened.empty());
    EXPECT_EQ(ui.messages, Lines{"KORVEN must be running to run any tests."});
}

TEST_F(MainWindow, StopDuringABatchEndsOnlyTheCurrentWindowsRun) {
    first().addTest(itemNamed(kTop));
    pump.onEvents = [&] {
        if (main.frmCurChild() == &first() && first().runState().lngCurRow == 1) {
            first().stopScript();
        }
    };
    EXPECT_EQ(main.runBatch(), runstatus::Done);
    EXPECT_EQ(first().nextRow(), 2);
    EXPECT_EQ(first().grid().backColor(2, TestGrid::Name), colour::White);
    EXPECT_EQ(second().grid().backColor(1, TestGrid::Name), colour::Green);
    EXPECT_TRUE(ui.opened.empty());
}

TEST_F(MainWindow, ABatchKeepsTheCreatedGeometriesAndRunButtonClearsThem) {
    main.frmCurChild()->objKorven().useRunSettings({.blnDebugOn = true}); // as a run in debug mode left it
    main.debugList().addGeometry(kTop, "board.cc", 1, 100);
    main.runBatch();
    EXPECT_EQ(main.debugList().rows().size(), 1u);
    first().runScript();
    EXPECT_TRUE(main.debugList().rows().empty());
}

TEST_F(MainWindow, ClosingIsRefusedWhileTheWindowRunsAndEmptiesTheGeometryList) {
    int refusals = 0;
    pump.onEvents = [&] { refusals += main.closeScript("Form0") ? 0 : 1; };
    first().runScript();
    pump.onEvents = nullptr;
    EXPECT_EQ(refusals, 2); // the events let through before and during the one test
    EXPECT_EQ(ui.messages, (Lines{"first is currently running.", "first is currently running."}));
    EXPECT_FALSE(main.blnTestRunning);

    main.frmCurChild()->objKorven().useRunSettings({.blnDebugOn = true});
    main.debugList().addGeometry(kTop, "board.cc", 1, 100);
    second().activate();
    EXPECT_TRUE(main.closeScript("Form1"));
    EXPECT_EQ(main.childCount(), 1);
    EXPECT_EQ(main.frmCurChild(), nullptr);
    EXPECT_TRUE(main.debugList().rows().empty());
}

TEST_F(MainWindow, TheMenuSwitchesReachEveryWindow) {
    main.setGenTestTimes(false);
    EXPECT_FALSE(main.switches().logSwitches.blnGenTestTimes);
    EXPECT_FALSE(main.menuChecks.genTestTimes);
    EXPECT_FALSE(first().menuChecks.genTestTimes);
    EXPECT_FALSE(second().menuChecks.genTestTimes);

    main.setClearDRCOnRun(false);
    EXPECT_FALSE(main.menuChecks.clearDRCOnRun);
    EXPECT_FALSE(second().menuChecks.clearDRCOnRun);
    second().runScript();
    EXPECT_TRUE(callsOf({"ClearAllDRCs"}).empty());
    EXPECT_FALSE(std::filesystem::exists(home.path() / "testtimes.csv"));
}

TEST_F(MainWindow, TheLogsOpenFromTheProgramFolder) {
    main.viewLog();
    main.viewTimeLog();
    EXPECT_EQ(ui.opened, (std::vector<std::filesystem::path>{home.path() / "runner.log",
                                                             home.path() / "testtimes.csv"}));
    main.onHelpContents();
    EXPECT_EQ(ui.messages, Lines{"There is no help avaliable."});
}

TEST_F(MainWindow, DebugSettingsComeFromTheProgramFolder) {
    main.switches().logSwitches.blnExpandedRep = true;
    main.switches().blnDebugMenus = true;
    main.loadDebugSettings();
    EXPECT_FALSE(main.switches().blnDebugMenus);
    EXPECT_FALSE(main.switches().logSwitches.blnExpandedRep);

    home.write("rdbset.dat",
               "' comment\r\n.debugmode\t y\r\n.SAVEONFAIL Y\r\n.DRCLIMIT 25\r\n.EXPANDEDREP Y extra\r\n");
    main.loadDebugSettings();
    EXPECT_TRUE(main.switches().blnDebugMenus);
    EXPECT_TRUE(main.switches().blnSaveOnFail);
    EXPECT_EQ(main.switches().intDRCLimit, 25);
    EXPECT_FALSE(main.switches().logSwitches.blnExpandedRep);
}

TEST_F(MainWindow, StartUpRegistersTheCallbackClassAndAsksForScripts) {
    automationRegistry().unregisterResponseClass(kResponseProgId);
    main.startUp();
    EXPECT_NE(automationRegistry().createResponse(kResponseProgId), nullptr);
    EXPECT_FALSE(ui.filterAsked.empty());
}

TEST_F(MainWindow, ActivatingAnotherWindowDuringARunLeavesTheCountsWithTheRunningOne) {
    korven.queueDrcs({{"DRC Added", "Marginal"}, {"DRC Added", "Critical"}});
    pump.onEvents = [&] { second().activate(); };
    first().runScript();
    EXPECT_EQ(first().rowCounts(1).marginal, "1");
    EXPECT_EQ(first().rowCounts(1).critical, "1");
    EXPECT_EQ(second().rowCounts(1).marginal, "");
    EXPECT_NE(home.read("runner.log").find("{Marginal: 1   Critical: 1}"), std::string::npos);
    // Once the run is over the window in front is the current one again.
    EXPECT_EQ(main.frmCurChild(), &second());
    EXPECT_EQ(main.activeWindow(), &second());
}

TEST_F(MainWindow, ExitDuringABatchStopsTheRunAndRunsNoFurtherWindow) {
    first().addTest(itemNamed(kTop));
    bool mayEnd = true;
    pump.onEvents = [&] {
        if (first().runState().lngCurRow == 1) {
            mayEnd = main.exitApp();
        }
    };
    main.runBatch();
    EXPECT_FALSE(mayEnd);
    EXPECT_TRUE(main.exitPending());
    EXPECT_EQ(first().nextRow(), 2);
    EXPECT_EQ(second().grid().backColor(1, TestGrid::Name), colour::White);
    EXPECT_TRUE(main.exitApp()); // nothing runs any more
}

TEST_F(MainWindow, OpenScriptDoesNothingDuringARun) {
    ui.answer = FileDialogResult{(home.path() / "first.dfm").string(), 1};
    pump.onEvents = [&] { second().openScript(); };
    first().runScript();
    EXPECT_EQ(main.childCount(), 2);
    EXPECT_TRUE(ui.filterAsked.empty());
    pump.onEvents = nullptr;
    second().openScript();
    EXPECT_EQ(main.childCount(), 3);
}

namespace {

// The notifications a drawing of the main window gets, one word per event.
struct RecordingObserver : MainWindowObserver {
    void windowOpened(frmTests& w) override { events.push_back("opened " + w.strFormID); }
    void windowClosing(frmTests& w) override { events.push_back("closing " + w.strFormID); }
    void windowBroughtForward(frmTests& w) override { events.push_back("forward " + w.strFormID); }
    void runStateChanged() override { events.push_back("run"); }
    Lines events;
};

} // namespace

TEST_F(MainWindow, TheDrawingHearsOfWindowsAndRuns) {
    RecordingObserver observer;
    main.setObserver(&observer);
    main.openScripts(home.path().string(), {"first.dfm", "missing.dfm"}, 1);
    main.runBatch();
    main.closeScript("Form2");
    main.setObserver(nullptr);
    EXPECT_EQ(observer.events, (Lines{"opened Form2", "forward Form0", "run", "run", "forward Form1", "run",
                                      "run", "forward Form2", "run", "run", "closing Form2"}));
}
