#include "testlogic/RowColours.h"
#include "testlogic/RunDriver.h"
#include "tests/korven/CallbackPump.h"
#include "tests/ui/UiFixture.h"
#include "ui/frmTests.h"

#include <gtest/gtest.h>

#include <functional>

using namespace lumora;

namespace {

const std::string kTop = "Top Surface Thru-hole Component Orientation";
const std::string kBottom = "Bottom Surface SMT Component Orientation";

class ScriptWindowRun : public test::UiFixture {
  protected:
    ScriptWindowRun() {
        window.useClock(clock);
        host.settings.logFolder = home.path();
        setEventPump(&pump);
    }
    ~ScriptWindowRun() override { setEventPump(nullptr); }

    void addTests(std::initializer_list<std::string> names) {
        for (const std::string& name : names) {
            window.addTest(itemNamed(name));
        }
    }
    std::string runLog() const { return home.read("runner.log"); }

    test::RecordingWindowHost host;
    long counter = 0;
    frmTests window{"/scripts/board checks.dfm", counter, host};
    test::CallbackPump pump;
};

} // namespace

TEST_F(ScriptWindowRun, TheWindowIsLoadedWithItsMenuMarksAndCurrent) {
    host.switches.blnGenTestTimes = false;
    frmTests second("/scripts/other.dfm", counter, host);
    EXPECT_TRUE(second.menuChecks.clearDRCOnRun);
    EXPECT_TRUE(second.menuChecks.popupTestInfo);
    EXPECT_FALSE(second.menuChecks.genTestTimes);
    EXPECT_TRUE(window.menuChecks.genTestTimes);
    EXPECT_EQ(frmCurChild(), &second);
    window.activate();
    EXPECT_EQ(frmCurChild(), &window);
    EXPECT_EQ(window.logFile(), nullptr);
}

TEST_F(ScriptWindowRun, RunScriptStartsAfreshFromTheFirstRowAndEmptiesTheDebugList) {
    addTests({kTop, kBottom});
    window.grid().setRowBackColor(1, colour::Red);
    window.grid().setText(2, TestGrid::Marginal, "9");
    window.runState().lngNextRow = 2;
    window.objKorven().useRunSettings({.blnDebugOn = true}); // as a run in debug mode left it
    host.list.addGeometry(kTop, "board.cc", 1, 100);
    korven.queueDrcs({{"DRC Added", "Marginal"}, {"DRC Added", "Marginal"}});
    setFrmCurChild(nullptr);

    EXPECT_EQ(window.runScript(), runstatus::Done);
    EXPECT_TRUE(host.list.rows().empty());
    EXPECT_EQ(window.grid().backColor(1, TestGrid::Name), colour::Green);
    EXPECT_EQ(window.grid().text(1, TestGrid::Marginal), "2");
    EXPECT_EQ(window.grid().text(2, TestGrid::Marginal), "0");
    EXPECT_EQ(window.totals().marginal, 2);
    EXPECT_EQ(window.nextRow(), 1);
    EXPECT_EQ(frmCurChild(), &window);
    EXPECT_EQ(host.logsViewed, 0);
    EXPECT_EQ(window.logFile(), nullptr);
    EXPECT_NE(runLog().find("Test : " + kBottom), std::string::npos);
    EXPECT_NE(home.read("testtimes.csv").find("Script file: /scripts/board checks.dfm\r\n"),
              std::string::npos);
}

TEST_F(ScriptWindowRun, ARunWithFailuresOpensTheRunLog) {
    addTests({"Not A Test", kTop});
    EXPECT_EQ(window.runScript(), runstatus::Failures);
    EXPECT_EQ(host.logsViewed, 1);
    EXPECT_EQ(window.grid().backColor(1, TestGrid::Check), colour::Red);
    EXPECT_EQ(window.grid().backColor(2, TestGrid::Check), colour::Green);
}

TEST_F(ScriptWindowRun, StopThenContinueNarrowsTheNameColumnAndAppendsToTheLog) {
    addTests({kTop, kBottom, kTop});
    pump.onEvents = [&] {
        if (window.runState().lngCurRow == 1) {
            window.stopScript();
        }
    };
    EXPECT_EQ(window.runScript(), runstatus::Done);
    EXPECT_EQ(window.nextRow(), 2);
    EXPECT_TRUE(window.updateButtons().resume);
    std::string firstRun = runLog();

    pump.onEvents = nullptr;
    korven.clearCalls();
    EXPECT_EQ(window.continueScript(), runstatus::Done);
    EXPECT_EQ(window.grid().columnWidth(TestGrid::Name), 800);
    EXPECT_TRUE(runLog().starts_with(firstRun));
    EXPECT_NE(runLog().find("Test : " + kBottom, firstRun.size()), std::string::npos);
    EXPECT_TRUE(callsOf({"GenerateDFxOutlines", "ClearAllDRCs"}).empty());
    EXPECT_EQ(window.grid().backColor(3, TestGrid::Name), colour::Green);
    EXPECT_FALSE(window.updateButtons().resume);
}

TEST_F(ScriptWindowRun, DisabledButtonsAndARunningWindowRefuseAnotherRun) {
    addTests({kTop});
    EXPECT_EQ(window.continueScript(), runstatus::Done); // nothing to continue
    EXPECT_EQ(window.grid().columnWidth(TestGrid::Name), 2500);

    host.running = true; // another window runs
    EXPECT_EQ(window.runScript(), runstatus::Done);
    EXPECT_EQ(window.runTests(1, true), runstatus::Done);
    EXPECT_TRUE(korven.calls().empty());
    EXPECT_EQ(window.grid().text(1, TestGrid::Marginal), "");
}

TEST_F(ScriptWindowRun, TheWindowCannotCloseAndAddsNoTestWhileItRuns) {
    addTests({kTop});
    std::optional<std::string> refusal;
    pump.onEvents = [&] {
        refusal = window.closeRefusal();
        window.addTest(itemNamed(kBottom));
    };
    window.runScript();
    EXPECT_EQ(refusal, "board checks is currently running.");
    EXPECT_EQ(window.grid().testRows(), 1);
    EXPECT_EQ(window.closeRefusal(), std::nullopt);
}

TEST_F(ScriptWindowRun, CheckAllDuringARunReachesTheRowsStillToCome) {
    addTests({kTop, kBottom});
    window.grid().setChecked(2, false);
    pump.onEvents = [&] {
        if (window.runState().lngCurRow == 1) {
            window.grid().setAllChecked(true);
        }
    };
    window.runScript();
    EXPECT_EQ(window.grid().backColor(2, TestGrid::Name), colour::Green);
}
