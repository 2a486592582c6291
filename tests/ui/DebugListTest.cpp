#include "tests/ui/UiFixture.h"
#include "ui/frmDebugList.h"

#include <gtest/gtest.h>

using namespace lumora;
using Lines = std::vector<std::string>;

namespace {

// A board, a panel and a hidden board placed in the panel, left as a run leaves them: loaded,
// then disconnected.
class DebugList : public test::UiFixture {
  protected:
    DebugList() {
        korven.files.push_back(
            {.number = 2, .name = "panel.cc", .show = true, .blockType = 8, .geomNum = 20});
        korven.files.push_back(
            {.number = 3, .name = "inner.cc", .show = false, .blockType = 1, .geomNum = 30});
        korven.addInsert(20, 6, 1, 30);
        korven.geometryNames[100] = "Etch Width Flatten";
        korven.geometryNames[102] = "Via Pad Flatten";
        objKorven.useRunSettings({.blnDebugOn = true});
    }

    // Adds geometries as a run in debug mode does, then ends the run.
    void recordRun(const std::vector<std::pair<int32_t, int16_t>>& created) {
        connect();
        for (const auto& [filePos, geomNum] : created) {
            list.addGeometry("Etch Width", "file" + std::to_string(filePos), filePos, geomNum);
        }
        objKorven.closeConnection();
        korven.clearCalls();
    }

    Lines fileCalls() const { return callsOf({"SetFileShow", "SetFileGeometry", "Redraw", "IssueCommand"}); }

    test::RecordingWindowHost host;
    frmCreatedGeometries list{host};
};

} // namespace

TEST_F(DebugList, NothingIsRecordedWhileDebugModeIsOff) {
    objKorven.useRunSettings({});
    recordRun({{1, 100}});
    EXPECT_TRUE(list.rows().empty());
}

TEST_F(DebugList, RowsCarryKorvensNameAndAreCheckedOnlyWhenItHasOne) {
    connect();
    list.addGeometry("Etch Width", "board.cc", 1, 100);
    list.addGeometry("Via Pad Size", "board.cc", 1, 101);
    ASSERT_EQ(list.rows().size(), 2u);
    const CreatedGeometry& named = list.rows()[0];
    EXPECT_EQ(named.testName, "Etch Width");
    EXPECT_EQ(named.fileName, "board.cc");
    EXPECT_EQ(named.filePos, 1);
    EXPECT_EQ(named.geometryName, "Etch Width Flatten");
    EXPECT_TRUE(named.checked);
    EXPECT_EQ(named.geomNum, 100);
    EXPECT_EQ(list.rows()[1].geometryName, "");
    EXPECT_FALSE(list.rows()[1].checked);
    EXPECT_EQ(list.selectedRow(), 0);
    EXPECT_EQ(korven.calls().front(), "GetGeometry(100) -> 0 [name=\"Etch Width Flatten\"]");
}

TEST_F(DebugList, SelectingARowShowsItsGeometryInPlaceOfItsFile) {
    recordRun({{1, 100}});
    list.selectRow(1);
    EXPECT_EQ(fileCalls(),
              (Lines{"SetFileShow(1, 0) -> 0", "SetFileShow(3, 0) -> 0", "SetFileShow(2, 0) -> 0",
                     "SetFileGeometry(1, 100) -> 0", "SetFileShow(1, 1) -> 0", "Redraw() -> 0"}));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(list.selectedRow(), 1);
}

TEST_F(DebugList, SelectingARowWithoutAGeometryHidesEveryFileAndSaysSo) {
    recordRun({{1, 101}});
    list.selectRow(1);
    EXPECT_EQ(fileCalls(),
              (Lines{"SetFileShow(1, 0) -> 0", "SetFileShow(3, 0) -> 0", "SetFileShow(2, 0) -> 0"}));
    EXPECT_EQ(host.messages, Lines{"No geometry to show"});
}

TEST_F(DebugList, ViewOriginalHidesTheFileShownBeforeWhenItDiffers) {
    recordRun({{1, 100}, {2, 101}});
    list.viewOriginal(); // the header is selected
    EXPECT_TRUE(fileCalls().empty());

    list.selectRow(1);
    list.selectRow(2); // nothing to show: file 1 stays the one last shown
    korven.clearCalls();
    list.viewOriginal();
    EXPECT_EQ(fileCalls(), (Lines{"SetFileShow(1, 0) -> 0", "SetFileGeometry(2, -1) -> 0",
                                  "SetFileShow(2, 1) -> 0", "Redraw() -> 0"}));

    korven.clearCalls();
    list.viewOriginal();
    EXPECT_EQ(fileCalls(), (Lines{"SetFileGeometry(2, -1) -> 0", "SetFileShow(2, 1) -> 0", "Redraw() -> 0"}));
}

TEST_F(DebugList, RevertAllGivesBackEveryGeometryAndLeavesVisibility) {
    recordRun({{1, 100}});
    list.revertAll();
    EXPECT_EQ(fileCalls(), (Lines{"SetFileGeometry(1, -1) -> 0", "SetFileGeometry(3, -1) -> 0",
                                  "SetFileGeometry(2, -1) -> 0", "Redraw() -> 0"}));
}

TEST_F(DebugList, ClosingTheWindowRestoresGeometriesAndVisibilityOnlyWhenItListsSome) {
    list.revertFiles();
    EXPECT_TRUE(korven.calls().empty());

    recordRun({{1, 100}});
    list.revertFiles();
    EXPECT_EQ(fileCalls(),
              (Lines{"SetFileGeometry(1, -1) -> 0", "SetFileShow(1, 1) -> 0", "SetFileGeometry(3, -1) -> 0",
                     "SetFileShow(3, 0) -> 0", "SetFileGeometry(2, -1) -> 0", "SetFileShow(2, 1) -> 0",
                     "IssueCommand(33309) -> 0"}));
    EXPECT_EQ(list.rows().size(), 1u);
}

TEST_F(DebugList, WithoutKorvenEachActionOnlyShowsTheConnectionError) {
    recordRun({{1, 100}});
    korven.running = false;
    list.selectRow(1);
    list.revertAll();
    EXPECT_EQ(host.messages, (Lines{"KORVEN must be running to run any tests.",
                                    "KORVEN must be running to run any tests."}));
    EXPECT_TRUE(fileCalls().empty());
}

TEST_F(DebugList, ClearLeavesOnlyTheHeader) {
    recordRun({{1, 100}});
    list.clear();
    EXPECT_TRUE(list.rows().empty());
    EXPECT_EQ(list.selectedRow(), 0);
}

TEST(DebugListColumns, HiddenColumnsCarryPositionCheckAndNumber) {
    const auto& columns = frmCreatedGeometries::columns();
    EXPECT_STREQ(columns[0].header, "Test");
    EXPECT_EQ(columns[0].widthTwips, 2025);
    EXPECT_STREQ(columns[3].header, "Geometry");
    EXPECT_FALSE(columns[3].hidden);
    for (int hidden : {2, 4, 5}) {
        EXPECT_TRUE(columns[static_cast<std::size_t>(hidden)].hidden) << hidden;
    }
}
