#include "testlogic/mdlTestLogic.h"
#include "tests/testlogic/TestLogicFixture.h"

using namespace lumora;
using Lines = std::vector<std::string>;

namespace {

class OrientationTestsTest : public test::TestLogicFixture {
  protected:
    void SetUp() override {
        scriptBoards({"shown.cc"});
        scriptPanels({"panel.cc"});
        scriptBoards({"hidden.cc"});
        korven.files.back().show = false;
    }
};

} // namespace

TEST_F(OrientationTestsTest, VisibleBoardsThenVisiblePanelsWithTheSurfaceOfTheName) {
    connectCounting();
    clsTestItem test = item("Top Surface Thru-hole Component Orientation");
    EXPECT_EQ(runOrientationTests(test), 0);
    EXPECT_EQ(
        korven.trace(),
        "AllowableComponentOrientation(1, 1, 1, \"Top Surface Thru-hole Component Orientation\") -> 0\n"
        "AllowableComponentOrientation(2, 1, 1, \"Top Surface Thru-hole Component Orientation\") -> 0\n");
    EXPECT_EQ(logLines(), (Lines{"   Test On shown.cc : SUCCEDED {Marginal: 0  Critical: 0}",
                                 "   Test On panel.cc : SUCCEDED {Marginal: 0  Critical: 0}"}));
}

TEST_F(OrientationTestsTest, OnlyTheExactListZeroOneEightyIsHorizontal) {
    connectCounting();
    for (const char* rotations : {"90,270", "180,0", "0, 180", ""}) {
        korven.clearCalls();
        clsTestItem test =
            item("Bottom Surface SMT Component Orientation", {{"Allowed_Rotations", rotations}});
        runOrientationTests(test);
        EXPECT_EQ(korven.calls().front(),
                  "AllowableComponentOrientation(1, 0, 0, \"Bottom Surface SMT Component Orientation\") -> 0")
            << rotations;
    }
}

TEST_F(OrientationTestsTest, ACommaLocaleStillPassesTheListUnchanged) {
    ScopedLocale comma({",", "."});
    connectCounting();
    clsTestItem test = item("Bottom Surface SMT Component Orientation", {{"Allowed_Rotations", "0,180"}});
    runOrientationTests(test);
    EXPECT_EQ(korven.calls().front(),
              "AllowableComponentOrientation(1, 0, 1, \"Bottom Surface SMT Component Orientation\") -> 0");
}

TEST_F(OrientationTestsTest, TheDrcLimitSucceedsThroughTheFailurePathAndReturnsOne) {
    connectCounting();
    korven.setCode("AllowableComponentOrientation", 1);
    clsTestItem test = item("Top Surface Thru-hole Component Orientation");
    EXPECT_EQ(runOrientationTests(test), 1);
    const std::string limit = " : SUCCEDED {dfmAllowableComponentOrientation {Too Many Errors}}";
    EXPECT_EQ(logLines(), (Lines{"   Test On shown.cc" + limit, "   Test On panel.cc" + limit}));
}

TEST_F(OrientationTestsTest, AFailureOnTheBoardStillTestsThePanel) {
    connectCounting();
    korven.queueCode("AllowableComponentOrientation", -3);
    clsTestItem test = item("Top Surface Thru-hole Component Orientation");
    EXPECT_EQ(runOrientationTests(test), -999);
    Lines lines = logLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].starts_with("   Test On shown.cc : FAILED {dfmAllowableComponentOrientation {"))
        << lines[0];
    EXPECT_EQ(lines[1], "   Test On panel.cc : SUCCEDED {Marginal: 0  Critical: 0}");
}

TEST_F(OrientationTestsTest, AHiddenBoardPlacedInAPanelGetsNoResultLine) {
    korven.addInsert(12, 6, 1, 13); // the panel holds the hidden board
    connectCounting();
    ASSERT_EQ(objKorven.Boards_Count(), 2);
    ASSERT_FALSE(objKorven.Board_Visible(objKorven.Boards_Ubound()));
    clsTestItem test = item("Top Surface Thru-hole Component Orientation");
    EXPECT_EQ(runOrientationTests(test), 0);
    EXPECT_EQ(logLines(), (Lines{"   Test On shown.cc : SUCCEDED {Marginal: 0  Critical: 0}",
                                 "   Test On panel.cc : SUCCEDED {Marginal: 0  Critical: 0}"}));
}
