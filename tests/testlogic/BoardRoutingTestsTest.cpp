// The board tests of routing, soldermask, fiducials, drills, testpad density and thermal ties.

#include "testlogic/mdlTestLogic.h"
#include "tests/korven/ExpandedTimeLog.h"
#include "tests/support/GoldenFile.h"
#include "tests/testlogic/BoardFamilyFixture.h"

using namespace lumora;
using Lines = std::vector<std::string>;

namespace {

class BoardRoutingTestsTest : public test::BoardFamilyFixture {
  protected:
    void SetUp() override {
        korven.etchBlockerTop = 20;
        korven.etchBlockerBottom = 21;
        openDocument({"board.cc"}, test::boardWithStackups(3));
    }
};

const std::string kSuccess = "   Test On board.cc : SUCCEDED {Marginal: 0  Critical: 0}";

} // namespace

// --- routes between SMT pads ---

TEST_F(BoardRoutingTestsTest, RoutesBetweenPadsMeasureOuterEtchAgainstTheBlockersAndRemoveThem) {
    clsTestItem test = item("Routes Between SMT Pads", {{"Pin_Pitch_Maximum", "0.02"}});
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_GOLDEN(korven.trace(), "board-routing/routes-between-smt-pads");
    EXPECT_EQ(createdNames(),
              (Lines{"Routes Between SMT Pads1 - Top", "Routes Between SMT Pads2 - Top",
                     "Routes Between SMT Pads1 - Bottom", "Routes Between SMT Pads2 - Bottom"}));
}

TEST_F(BoardRoutingTestsTest, RoutesBetweenPadsOnTheBottomUseTheHighestStackup) {
    useLayers(test::boardWithStackups(2));
    clsTestItem test = item("Routes Between SMT Pads", {{"Test_Surface", "Bottom"}});
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_GOLDEN(korven.trace(), "board-routing/routes-between-smt-pads-bottom-of-two-stackups");
}

TEST_F(BoardRoutingTestsTest, RoutesBetweenPadsInDebugModeLeaveLayersAndGeometries) {
    runnerSwitches().blnDebugOn = true;
    clsTestItem test = item("Routes Between SMT Pads");
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_EQ(korven.trace().find("Delete"), std::string::npos) << korven.trace();
    EXPECT_EQ(createdNames().size(), 4u);
}

TEST_F(BoardRoutingTestsTest, RoutesBetweenPadsLeaveTheBlockersWhenACheckFails) {
    korven.queueCode("DistanceCheck2", -15);
    clsTestItem test = item("Routes Between SMT Pads");
    EXPECT_EQ(runBoardTests(test), -999);
    EXPECT_EQ(traceFrom("DistanceCheck2"),
              R"(DistanceCheck2(100, 101, 0, 0, "Routes Between SMT Pads - Top", 0, 0, 0, 0, 0) -> -15
DeleteGeometry(100) -> 0
DeleteGeometry(101) -> 0
)");
    EXPECT_EQ(logLines(), (Lines{"   Test On board.cc : FAILED {dfmDistanceCheck {DFM Test Failed}}"}));
}

TEST_F(BoardRoutingTestsTest, FailuresOfTheBlockersAndOfTheLayerFlattenNameTheirWrapper) {
    korven.queueCode("GenerateEtchBlockers", -16);
    clsTestItem test = item("Routes Between SMT Pads");
    EXPECT_EQ(runBoardTests(test), -999);
    EXPECT_EQ(korven.trace(), "GenerateEtchBlockers(0.025) -> -16 [top=20, bottom=21]\n");

    korven.queueCode("Flatten", -8);
    EXPECT_EQ(runBoardTests(test), -999);
    EXPECT_EQ(logLines(), (Lines{"   Test On board.cc : FAILED {dfmGenerateEtchBlockers {Missing DLL}}",
                                 "   Test On board.cc : FAILED {dfmFlattenLayer {Index Out Of Range}}"}));
}

TEST_F(BoardRoutingTestsTest, RoutesBetweenPadsTimeTheLayerFlatten) {
    test::ExpandedTimeLog timeLog(window, objKorven);
    clsTestItem test = item("Routes Between SMT Pads", {{"Test_Surface", "Top"}});
    runBoardTests(test);
    EXPECT_EQ(timeLog.subProcesses(), (Lines{"Create Geometry", "Flatten Stackup", "Create Geometry",
                                             "Flatten Layer", "Distance Check"}));
}

// --- etch width and copper distance, layer by layer ---

TEST_F(BoardRoutingTestsTest, EtchWidthUsesTopInnerAndBottomThresholdsByStackup) {
    clsTestItem test = item("Etch Width", {{"Marginal_Bottom", "0.012"}, {"Critical_Bottom", "0.006"}});
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_GOLDEN(korven.trace(), "board-routing/etch-width-three-stackups");
    EXPECT_EQ(createdNames(),
              (Lines{"Etch Width1 - StackUp1", "Etch Width1 - StackUp2", "Etch Width1 - StackUp3"}));
}

TEST_F(BoardRoutingTestsTest, EtchWidthOnTwoStackupsNeverReadsTheInnerThresholds) {
    useLayers(test::boardWithStackups(2));
    clsTestItem test = item("Etch Width", {{"Exclude_Nets_Containing", "PWR"}});
    test.dictProperties().store("Marginal_Inner", "inner"); // would fail the board if it were read
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_GOLDEN(korven.trace(), "board-routing/etch-width-two-stackups");
}

TEST_F(BoardRoutingTestsTest, EtchWidthOnOneStackupUsesTheTopThresholds) {
    useLayers(test::boardWithStackups(1));
    clsTestItem test = item("Etch Width", {{"Marginal_Bottom", "0.5"}});
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_GOLDEN(korven.trace(), "board-routing/etch-width-one-stackup");
}

TEST_F(BoardRoutingTestsTest, LayerByLayerTestsCheckNothingWithoutElectricalStackups) {
    useLayers(test::boardWithStackups(0));
    for (const char* name : {"Etch Width", "Distance Between Copper on Electrical Stackup Layers"}) {
        clsTestItem test = item(name);
        EXPECT_EQ(runBoardTests(test), 0) << name;
    }
    EXPECT_EQ(korven.trace(), "");
    EXPECT_EQ(logLines(), (Lines{kSuccess, kSuccess}));
}

TEST_F(BoardRoutingTestsTest, CopperDistanceAddsPinsAndViasToTheOuterLayersOnly) {
    clsTestItem test = item("Distance Between Copper on Electrical Stackup Layers");
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_GOLDEN(korven.trace(), "board-routing/copper-distance-three-stackups");
    EXPECT_EQ(createdNames(), (Lines{"Distance Between Copper on Electrical Stackup Layers - StackUp1",
                                     "Distance Between Copper on Electrical Stackup Layers - StackUp2",
                                     "Distance Between Copper on Electrical Stackup Layers - StackUp3"}));
}

TEST_F(BoardRoutingTestsTest, CopperDistanceSkipsSameNetsOnlyForExactlyYes) {
    useLayers(test::boardWithStackups(1));
    for (const char* sameNet : {"No", "yes", "Yes"}) {
        clsTestItem test = item("Distance Between Copper on Electrical Stackup Layers",
                                {{"No_Violation_If_On_Same_Net", sameNet}, {"Marginal_Distance", "0.006"}});
        EXPECT_EQ(runBoardTests(test), 0);
    }
    std::string trace = korven.trace();
    // One layer is both the top and the bottom one: its pins and vias come once.
    EXPECT_GOLDEN(trace.substr(0, trace.find("DeleteGeometry(100)")),
                  "board-routing/copper-distance-one-stackup-first-run");
    EXPECT_NE(
        trace.find("DistanceCheck2(101, 101, 0.006, 0.003, \"Distance Between Copper on Electrical Stackup "
                   "Layers - StackUp1\", 0, 1, 0, 1, 0)"),
        std::string::npos);
    EXPECT_NE(
        trace.find("DistanceCheck2(102, 102, 0.006, 0.003, \"Distance Between Copper on Electrical Stackup "
                   "Layers - StackUp1\", 0, 1, 1, 1, 0)"),
        std::string::npos);
}

// --- soldermask ---

TEST_F(BoardRoutingTestsTest, SoldermaskClearanceFiltersFinePitchPadsAndMeasuresThemAgainstTheMask) {
    clsTestItem test =
        item("Soldermask Clearance for SMT Components", {{"Pin_Pitch_Maximum", "0.02"},
                                                         {"X_Dimension_Minimum_Size", "0.004"},
                                                         {"Y_Dimension_Minimum_Size", "0.005"}});
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_GOLDEN(korven.trace(), "board-routing/soldermask-clearance");
    EXPECT_EQ(createdNames(), (Lines{"Soldermask Clearance for SMT Components1 - Top",
                                     "Soldermask Clearance for SMT Components - S_Top",
                                     "Soldermask Clearance for SMT Components1 - Bottom",
                                     "Soldermask Clearance for SMT Components - S_Bottom"}));
}

TEST_F(BoardRoutingTestsTest, SoldermaskClearanceSendsThePitchInPageUnits) {
    objKorven.closeConnection();
    connect(1); // script in mils, design in inches
    objKorven.SetResponse(true);
    useLayers(test::boardWithStackups(3));
    clsTestItem test = item("Soldermask Clearance for SMT Components",
                            {{"Test_Surface", "Top"}, {"Pin_Pitch_Maximum", "25"}});
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_NE(korven.trace().find("FilterGeometry(100, \"PIN_PITCH\", \"0.025\", 1) -> 0"), std::string::npos)
        << korven.trace();
}

TEST_F(BoardRoutingTestsTest, ASecondFilterFailureEndsTheSideBeforeTheMaskIsBuilt) {
    korven.queueCode("FilterGeometry", 0);
    korven.queueCode("FilterGeometry", -13);
    clsTestItem test = item("Soldermask Clearance for SMT Components");
    EXPECT_EQ(runBoardTests(test), -999);
    EXPECT_EQ(traceFrom("FilterGeometry"), R"(FilterGeometry(100, "PIN_PITCH", "", 6) -> 0
FilterGeometry(100, "PIN_PITCH", "0.025", 1) -> -13
DeleteGeometry(100) -> 0
)");
    EXPECT_EQ(logLines(), (Lines{"   Test On board.cc : FAILED {dfmFilterGeometry {Value Out Of Range}}"}));
}

TEST_F(BoardRoutingTestsTest, WebbingRunsTopAndBotWhateverTheSurface) {
    clsTestItem test =
        item("Soldermask Webbing", {{"Marginal_Webbing", "0.004"}, {"Critical_Webbing", "0.002"}});
    test.dictProperties().store("Test_Surface", "Top");
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_GOLDEN(korven.trace(), "board-routing/soldermask-webbing");
    EXPECT_EQ(createdNames(), (Lines{"Soldermask Webbing - STop", "Soldermask Webbing - SBot"}));
}

TEST_F(BoardRoutingTestsTest, WebbingFailsWhenThePoliesCannotBeCombined) {
    korven.queueCode("CombinePolies", -1);
    clsTestItem test = item("Soldermask Webbing");
    EXPECT_EQ(runBoardTests(test), -999);
    EXPECT_EQ(logLines(),
              (Lines{"   Test On board.cc : FAILED {dfmCombinePolies {A General Error Occured}}"}));
    EXPECT_EQ(traceFrom("CombinePolies"), "CombinePolies(100) -> -1\nDeleteGeometry(100) -> 0\n");
}

// --- fiducials, drills, density, thermal ties ---

TEST_F(BoardRoutingTestsTest, FiducialsInCornersChecksBothSurfacesWithTheirCodes) {
    clsTestItem test =
        item("Board Fiducials in Four Corners", {{"Min_Distance_From_Rail_Edge", "0.1"},
                                                 {"Max_Distance_From_Rail_Edge", "0.2"},
                                                 {"Min_Distance_From_Leading_Trailing_Edge", "0.3"},
                                                 {"Max_Distance_From_Leading_Trailing_Edge", "0.4"},
                                                 {"Min_Corners", "4"}});
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_GOLDEN(korven.trace(), "board-routing/fiducials-in-corners");
    EXPECT_EQ(createdNames(),
              (Lines{"Board Fiducials in Four Corners1 - Top", "Board Fiducials in Four Corners1 - Bottom"}));
}

TEST_F(BoardRoutingTestsTest, BoardWideChecksPassTheBoardsPosition) {
    clsTestItem drill = item("Thickness to Drill Diameter Maximum Aspect Ratio", {{"Maximum_Ratio", "8.5"}});
    clsTestItem density =
        item("Testpad Density",
             {{"Marginal_Count", "12"}, {"Critical_Count", "20"}, {"Grid_Square_Size", "0.75"}});
    clsTestItem thermal = item("Thru-hole Pin Thermal Ties to Plane Areas");
    EXPECT_EQ(runBoardTests(drill), 0);
    EXPECT_EQ(runBoardTests(density), 0);
    EXPECT_EQ(runBoardTests(thermal), 0);
    EXPECT_EQ(
        korven.trace(),
        R"(BoardThicknessToDrillDiameter(1, 8.5, "Thickness to Drill Diameter Maximum Aspect Ratio") -> 0
TestPadDensityCheck(1, 12, 20, 0.75, 0) -> 0
GerberThermalBarrelPlugCheck(1) -> 0
)");
}

TEST_F(BoardRoutingTestsTest, BoardWideFailuresNameTheirWrapper) {
    struct Case {
        const char* test;
        const char* method;
        const char* wrapper;
    };
    for (Case c : {Case{"Thickness to Drill Diameter Maximum Aspect Ratio", "BoardThicknessToDrillDiameter",
                        "dfmBoardThicknessToDrillDiameter"},
                   Case{"Testpad Density", "TestPadDensityCheck", "dfmTestpadDensityCheck"},
                   Case{"Thru-hole Pin Thermal Ties to Plane Areas", "GerberThermalBarrelPlugCheck",
                        "dfmGerberThermalBarrelPlugCheck"},
                   Case{"Etch Width", "RouteTraceWidthMinimum", "dfmRouteTraceWidthMinimum"},
                   Case{"Board Fiducials in Four Corners", "ItemsInCorners", "dfmItemsInCorners"},
                   Case{"Soldermask Clearance for SMT Components", "SMDSoldermaskClearance",
                        "dfmSMDSoldermaskClearance"}}) {
        korven.queueCode(c.method, -2);
        clsTestItem test = item(c.test);
        EXPECT_EQ(runBoardTests(test), -999) << c.test;
        EXPECT_EQ(logLines().back(),
                  std::string("   Test On board.cc : FAILED {") + c.wrapper + " {No Active Doucment}}");
    }
}
