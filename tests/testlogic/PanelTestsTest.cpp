#include "testlogic/mdlTestLogic.h"
#include "tests/testlogic/TestLogicFixture.h"

using namespace lumora;
using Lines = std::vector<std::string>;

namespace {

class PanelTestsTest : public test::TestLogicFixture {
  protected:
    void SetUp() override {
        scriptPanels({"panelA.cc", "panelB.cc"});
        connectCounting();
    }
};

} // namespace

TEST_F(PanelTestsTest, NoPanelFailsTheRoutineWithAnEmptyFileNameAndSavesOnFail) {
    korven.files.clear();
    scriptBoards({"board.cc"});
    connect();
    clsTestItem test = item("Panel Dimensions");
    EXPECT_EQ(runPanelTests(test), -999);
    EXPECT_EQ(logLines(), (Lines{"   Test On  : FAILED {Panel Tests {No visible panels.}}"}));
    EXPECT_EQ(korven.trace(), "");

    runWith({.blnSaveOnFail = true});
    EXPECT_EQ(runPanelTests(test), -999);
    EXPECT_EQ(korven.trace(), "SaveDataFileAs(\"" + (dir_.path() / "error.cc").string() + "\") -> 0\n");
}

TEST_F(PanelTestsTest, PanelDimensionsChecksEveryPanelWithItsCounts) {
    korven.queueDrcs({{"DRC Added", "Marginal"}, {"DRC Added", "Critical"}});
    clsTestItem test = item("Panel Dimensions", {{"Minimum_Width", "4"}, {"Maximum_Width", "12.5"}});
    EXPECT_EQ(runPanelTests(test), 0);
    EXPECT_EQ(logLines(), (Lines{"   Test On panelA.cc : SUCCEDED {Marginal: 1  Critical: 1}",
                                 "   Test On panelB.cc : SUCCEDED {Marginal: 0  Critical: 0}"}));
    EXPECT_NE(korven.trace().find("PanelDimensions(1, 4, 12.5, 0, 0, \"Panel Dimensions\")"),
              std::string::npos)
        << korven.trace();
}

TEST_F(PanelTestsTest, AFailingCheckIsReportedByTheResultLineOnly) {
    korven.queueCode("PanelLengthToWidthRatio", -17);
    clsTestItem test = item("Panel Length To Width Ratio");
    EXPECT_EQ(runPanelTests(test), -999);
    Lines lines = logLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].starts_with("   Test On panelA.cc : FAILED {")) << lines[0];
    EXPECT_EQ(lines[1], "   Test On panelB.cc : SUCCEDED {Marginal: 0  Critical: 0}");
}

TEST_F(PanelTestsTest, TheDrcLimitIsAFailedLineButNotAnError) {
    korven.setCode("PanelLengthToWidthRatio", 1);
    clsTestItem test = item("Panel Length To Width Ratio");
    EXPECT_EQ(runPanelTests(test), 0);
    EXPECT_EQ(logLines(), (Lines{"   Test On panelA.cc : FAILED {Too Many Errors}",
                                 "   Test On panelB.cc : FAILED {Too Many Errors}"}));
}

TEST_F(PanelTestsTest, AnUnknownSurfaceRunsNoCheckAndRepeatsThePreviousStatus) {
    clsTestItem test = item("Panel Fiducials In Corners ", {{"Test_Surface", "top"}});
    EXPECT_EQ(runPanelTests(test), 0);
    EXPECT_EQ(logLines(), (Lines{"   Test On panelA.cc : SUCCEDED {Marginal: 0  Critical: 0}",
                                 "   Test On panelB.cc : SUCCEDED {Marginal: 0  Critical: 0}"}));
    EXPECT_EQ(korven.trace().find("ItemsInCorners"), std::string::npos);
}

TEST_F(PanelTestsTest, ATopFailureFollowedByABottomSuccessSucceeds) {
    korven.queueCode("ClearanceToPanelEdge", -17);
    clsTestItem test = item("Fiducial Clearance To Panel Edge");
    EXPECT_EQ(runPanelTests(test), 0);
    EXPECT_EQ(logLines()[0], "   Test On panelA.cc : SUCCEDED {Marginal: 0  Critical: 0}");
}

TEST_F(PanelTestsTest, ParameterThatDoesNotConvertTakesTheFailurePath) {
    clsTestItem test = item("Panel Tooling Holes In Corners");
    test.dictProperties().store("Min_Corners",
                                "40000"); // past validation, as a script edit at run time would
    EXPECT_EQ(runPanelTests(test), -999);
    EXPECT_EQ(logLines()[0], "   Test On panelA.cc : FAILED {runPanelTests {Overflow}}");
}

TEST_F(PanelTestsTest, CreatedGeometriesAreDeletedUnlessDebugModeKeepsThem) {
    clsTestItem test = item("Panel Tooling Holes In Corners");
    runPanelTests(test);
    EXPECT_NE(korven.trace().find("DeleteGeometry("), std::string::npos);

    korven.clearCalls();
    runWith({.blnDebugOn = true});
    runPanelTests(test);
    EXPECT_EQ(korven.trace().find("DeleteGeometry("), std::string::npos);
}
