#include "tests/ui/UiFixture.h"
#include "ui/ToolTip.h"
#include "ui/frmTests.h"

#include <gtest/gtest.h>

using namespace lumora;

namespace {

std::unique_ptr<clsTestItem> itemNamed(const std::string& name) {
    auto item = std::make_unique<clsTestItem>();
    item->strName = name;
    return item;
}

class ScriptWindow : public ::testing::Test {
  protected:
    test::RecordingWindowHost host;
    long counter = 0;
};

} // namespace

TEST_F(ScriptWindow, KeysRiseWithTheCounterWhileCaptionsFollowTheFileName) {
    frmTests first("/a/checks.dfm", counter, host);
    frmTests second("/b/checks.dfm", counter, host);
    EXPECT_EQ(first.strFormID, "Form0");
    EXPECT_EQ(second.strFormID, "Form1");
    EXPECT_EQ(first.caption(), "checks - Script");
    EXPECT_EQ(second.caption(), first.caption());
    EXPECT_EQ(counter, 2);
}

TEST_F(ScriptWindow, ScriptNameStopsAtTheFirstDot) {
    EXPECT_EQ(scriptNameOf("/home/u/my.test.dfm"), "my");
    EXPECT_EQ(scriptNameOf("C:\\scripts\\board.dfm"), "board");
    EXPECT_EQ(scriptNameOf("/home/u.v/noextension"), "noextension");
}

TEST_F(ScriptWindow, AddTestAppendsACheckedRowWithNotesForPackageTests) {
    frmTests window("s.dfm", counter, host);
    window.addTest(itemNamed("Etch Width"));
    auto package = itemNamed("Real Part To Real Part");
    package->dictProperties().store("Package_1", "soic");
    package->dictProperties().store("Package_2", "Qfp");
    window.addTest(std::move(package));

    const TestGrid& grid = window.grid();
    ASSERT_EQ(grid.testRows(), 2);
    EXPECT_EQ(grid.text(1, TestGrid::Number), "1");
    EXPECT_EQ(grid.text(2, TestGrid::Number), "2");
    EXPECT_EQ(grid.text(2, TestGrid::Name), "Real Part To Real Part");
    EXPECT_EQ(grid.text(2, TestGrid::Notes), "SOIC To QFP");
    EXPECT_EQ(grid.text(1, TestGrid::Notes), "");
    EXPECT_TRUE(grid.checked(1));
    EXPECT_EQ(grid.item(2).strName, "Real Part To Real Part");
    // Catches the header row, selected after every addTest and run, read as no row at all.
    EXPECT_EQ(grid.text(0, TestGrid::Name), "Test Name");
}

TEST_F(ScriptWindow, NothingIsAddedDuringARun) {
    frmTests window("s.dfm", counter, host);
    window.runState().blnRunning = true;
    window.addTest(itemNamed("Etch Width"));
    EXPECT_EQ(window.grid().testRows(), 0);
}

TEST_F(ScriptWindow, UpdateTestsCountsIntoTheCurrentRowOnly) {
    frmTests window("s.dfm", counter, host);
    window.addTest(itemNamed("Etch Width"));
    window.addTest(itemNamed("Via Pad Size"));

    window.updateTests("Marginal"); // before any test started
    EXPECT_EQ(window.getCurMarginal(), 0);
    EXPECT_EQ(window.grid().text(1, TestGrid::Marginal), "");

    window.runState().lngCurRow = 2;
    window.updateTests("Marginal");
    window.updateTests("Critical");
    window.updateTests("Critical");
    window.updateTests("critical");
    EXPECT_EQ(window.getCurMarginal(), 1);
    EXPECT_EQ(window.getCurCritical(), 2);
    EXPECT_EQ(window.grid().text(2, TestGrid::Marginal), "1");
    EXPECT_EQ(window.grid().text(2, TestGrid::Critical), "2");
    EXPECT_EQ(window.grid().text(1, TestGrid::Critical), "");

    window.resetTestCnt();
    EXPECT_EQ(window.getCurCritical(), 0);
    EXPECT_EQ(window.grid().text(2, TestGrid::Critical), "2");
}

TEST_F(ScriptWindow, ResetTestsClearsCountsAndColours) {
    frmTests window("s.dfm", counter, host);
    window.addTest(itemNamed("Etch Width"));
    window.runState().lngCurRow = 1;
    window.updateTests("Marginal");
    window.grid().setRowForeColor(1, 0x0000FF);
    window.grid().setRowBackColor(1, 0x00FFFF);
    window.resetTests();
    EXPECT_EQ(window.grid().text(1, TestGrid::Marginal), "");
    EXPECT_EQ(window.grid().foreColor(1, TestGrid::Name), colour::Black);
    EXPECT_EQ(window.grid().backColor(1, TestGrid::Check), colour::White);
}

TEST_F(ScriptWindow, RowColoursCoverColumnsOneToFive) {
    frmTests window("s.dfm", counter, host);
    window.addTest(itemNamed("Etch Width"));
    window.grid().setRowBackColor(1, 0x00FF00);
    EXPECT_EQ(window.grid().backColor(1, TestGrid::Number), colour::White);
    for (int column = TestGrid::Check; column <= TestGrid::Notes; ++column) {
        EXPECT_EQ(window.grid().backColor(1, column), 0x00FF00u) << column;
    }
    EXPECT_EQ(window.grid().backColor(1, TestGrid::Var), colour::White);
}

TEST_F(ScriptWindow, ButtonsFollowTheRunState) {
    frmTests window("s.dfm", counter, host);
    RunButtons idle = window.updateButtons();
    EXPECT_TRUE(idle.run);
    EXPECT_FALSE(idle.stop);
    EXPECT_FALSE(idle.resume);

    window.runState().lngNextRow = 3;
    RunButtons stopped = window.updateButtons();
    EXPECT_TRUE(stopped.run);
    EXPECT_TRUE(stopped.resume);
    EXPECT_FALSE(stopped.stop);

    window.runState().blnRunning = true;
    RunButtons running = window.updateButtons();
    EXPECT_FALSE(running.run);
    EXPECT_FALSE(running.resume);
    EXPECT_TRUE(running.stop);
    EXPECT_EQ(window.closeRefusal(), "s is currently running.");
}

TEST(ToolTip, ListsParametersInDictionaryOrder) {
    clsTestItem item;
    item.strName = "Etch Width";
    item.dictProperties().store("Marginal_Top", "0.005");
    item.dictProperties().store("Critical_Top", "0.004");
    EXPECT_EQ(toolTipText(item), "Etch Width\rMarginal_Top -> 0.005\rCritical_Top -> 0.004\r");
}

TEST(ToolTip, ATestWithoutParametersSaysSo) {
    clsTestItem item;
    item.strName = "Via In SMT Pad";
    EXPECT_EQ(toolTipText(item), "Via In SMT Pad\rNo Parameters\r");
}

TEST(ToolTip, SizeCountsLinesAndTheLongestLineWithItsCR) {
    TwipSize size = toolTipSize("ab\rabcd\r");
    EXPECT_EQ(size.height, 2 * 210);
    EXPECT_EQ(size.width, 5 * 90);
}

// Catches a drawing told that a whole row changed (and redrawing it) for every count KORVEN
// reports, or not told at all.
TEST_F(ScriptWindow, TheGridTellsItsObserverWhichRowOrCellChanged) {
    struct Recorder : GridObserver {
        void rowChanged(long row) override { changed.push_back(row); }
        void cellChanged(long row, int column) override { cells.emplace_back(row, column); }
        void rowShown(long row) override { shown.push_back(row); }
        std::vector<long> changed, shown;
        std::vector<std::pair<long, int>> cells;
    } recorder;
    frmTests window("/a/checks.dfm", counter, host);
    window.grid().setObserver(&recorder);
    window.addTest(itemNamed("Via Count"));
    window.addTest(itemNamed("Via Count"));
    window.grid().setChecked(2, false);
    window.updateTests("Marginal"); // no row is running: nothing changes
    window.runState().lngCurRow = 2;
    window.updateTests("Critical");
    window.grid().setRowBackColor(1, 0x00FF00);
    window.grid().setAllChecked(true);
    window.grid().showRow(2);
    EXPECT_EQ(recorder.changed, (std::vector<long>{1, 2, 2, 1, 0}));
    EXPECT_EQ(recorder.cells, (std::vector<std::pair<long, int>>{{2, TestGrid::Critical}}));
    EXPECT_EQ(window.grid().text(2, TestGrid::Critical), "1");
    EXPECT_EQ(recorder.shown, (std::vector<long>{0, 0, 2})); // addTest selects the header row
}
