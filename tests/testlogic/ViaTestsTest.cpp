#include "testlogic/mdlTestLogic.h"
#include "tests/korven/ExpandedTimeLog.h"
#include "tests/testlogic/BoardFamilyFixture.h"

using namespace lumora;
using Lines = std::vector<std::string>;

namespace {

class ViaTestsTest : public test::BoardFamilyFixture {
  protected:
    void SetUp() override { openDocument({"board.cc"}); }

    // Thresholds that tell the Top pass from the Bottom pass.
    static std::vector<std::pair<std::string, std::string>> passThresholds(const char* soldermask,
                                                                           const char* sameNet = "No") {
        return {{"Marginal_Top", "0.03"},           {"Critical_Top", "0.02"},
                {"Marginal_Bottom", "0.04"},        {"Critical_Bottom", "0.01"},
                {"Include_Soldermask", soldermask}, {"No_Violation_If_On_Same_Net", sameNet}};
    }
};

} // namespace

TEST_F(ViaTestsTest, PadAndHoleSizesRunOncePerBoardWithoutGeometries) {
    openDocument({"a.cc", "b.cc"});
    clsTestItem pads = item("Via Pad Size");
    clsTestItem holes = item("Via Hole Size", {{"Minimum_Size", "0.01"}, {"Maximum_Size", "0.02"}});

    EXPECT_EQ(runViaTests(pads), 0);
    EXPECT_EQ(runViaTests(holes), 0);

    EXPECT_EQ(korven.trace(), R"(ViaPadSize(1, 0.025, 0.035, 0.025, 0.04, 0.008, "Via Pad Size") -> 0
ViaPadSize(2, 0.025, 0.035, 0.025, 0.04, 0.008, "Via Pad Size") -> 0
ViaHoleSize(1, 0.01, 0.02, 0.008, "Via Hole Size") -> 0
ViaHoleSize(2, 0.01, 0.02, 0.008, "Via Hole Size") -> 0
)");
    EXPECT_TRUE(createdGeometries.added.empty());
}

TEST_F(ViaTestsTest, EdgeToComponentPadEdgeBuildsViasAndPinsOfEachSurface) {
    clsTestItem test = item("Via Edge To Component Pad Edge", passThresholds("No", "Yes"));

    EXPECT_EQ(runViaTests(test), 0);

    EXPECT_EQ(korven.trace(), R"(createFlattenGeometry(1) -> 0 [geom=100]
flattenByInsertType(100, 4, 1, 0, 3) -> 0
createFlattenGeometry(1) -> 0 [geom=101]
flattenByInsertType(101, 4, 2, 0, 3) -> 0
DistanceCheck2(100, 101, 0.03, 0.02, "Via Edge To Component Pad Edge - Top", 0, 0, 1, 0, 0) -> 0
DeleteGeometry(100) -> 0
DeleteGeometry(101) -> 0
createFlattenGeometry(1) -> 0 [geom=102]
flattenByInsertType(102, 5, 1, 0, 3) -> 0
createFlattenGeometry(1) -> 0 [geom=103]
flattenByInsertType(103, 5, 2, 0, 3) -> 0
DistanceCheck2(102, 103, 0.04, 0.01, "Via Edge To Component Pad Edge - Bottom", 0, 0, 1, 0, 0) -> 0
DeleteGeometry(102) -> 0
DeleteGeometry(103) -> 0
)");
    EXPECT_EQ(createdGeometries.added, (Lines{"Via Edge To Component Pad Edge - Via_Top|board.cc|1|100",
                                              "Via Edge To Component Pad Edge - Pin_Top|board.cc|1|101",
                                              "Via Edge To Component Pad Edge - Via_Bottom|board.cc|1|102",
                                              "Via Edge To Component Pad Edge - Pin_Bottom|board.cc|1|103"}));
}

TEST_F(ViaTestsTest, EdgeToComponentPadEdgeWithSoldermaskMeasuresTheBoardsGeometries) {
    clsTestItem test = item("Via Edge To Component Pad Edge", passThresholds("Yes"));
    prepareSoldermask(test); // vias 102 and 103, pins 104 and 105

    EXPECT_EQ(runViaTests(test), 0);

    EXPECT_EQ(
        korven.trace(),
        R"(DistanceCheck2(102, 104, 0.03, 0.02, "Via Edge To Component Pad Edge - Top", 0, 0, 0, 0, 0) -> 0
DistanceCheck2(103, 105, 0.04, 0.01, "Via Edge To Component Pad Edge - Bottom", 0, 0, 0, 0, 0) -> 0
)");
    EXPECT_EQ(createdGeometries.added, (Lines{"Via Edge To Component Pad Edge_sVia_Top|board.cc|1|102",
                                              "Via Edge To Component Pad Edge_sPin_Top|board.cc|1|104",
                                              "Via Edge To Component Pad Edge_sVia_Bottom|board.cc|1|103",
                                              "Via Edge To Component Pad Edge_sPin_Bottom|board.cc|1|105"}));
}

TEST_F(ViaTestsTest, EdgeToTestpointMeasuresViasAgainstTheTestpointsOfTheSurface) {
    clsTestItem test = item("Via Edge To Testpoint", passThresholds("No"));

    EXPECT_EQ(runViaTests(test), 0);

    EXPECT_EQ(korven.trace(), R"(createFlattenGeometry(1) -> 0 [geom=100]
flattenByInsertType(100, 4, 1, 0, 3) -> 0
createFlattenGeometry(1) -> 0 [geom=101]
FlattenByAttrib(101, 4, "TEST", "", 5, -1, 0, 3) -> 0
DistanceCheck2(100, 101, 0.03, 0.02, "Via Edge To Testpoint - Top", 0, 0, 0, 0, 0) -> 0
DeleteGeometry(100) -> 0
DeleteGeometry(101) -> 0
createFlattenGeometry(1) -> 0 [geom=102]
flattenByInsertType(102, 5, 1, 0, 3) -> 0
createFlattenGeometry(1) -> 0 [geom=103]
FlattenByAttrib(103, 5, "TEST", "", 5, -1, 0, 3) -> 0
DistanceCheck2(102, 103, 0.04, 0.01, "Via Edge To Testpoint - Bottom", 0, 0, 0, 0, 0) -> 0
DeleteGeometry(102) -> 0
DeleteGeometry(103) -> 0
)");
    EXPECT_EQ(createdGeometries.added.at(3), "Via Edge To Testpoint - TP_Bottom|board.cc|1|103");
}

TEST_F(ViaTestsTest, EdgeToTestpointWithSoldermaskListsTheViaLabelFirst) {
    clsTestItem test = item("Via Edge To Testpoint", passThresholds("Yes", "Yes"));
    prepareSoldermask(test); // testpoints 102 and 103, vias 104 and 105

    EXPECT_EQ(runViaTests(test), 0);

    EXPECT_EQ(korven.trace(),
              R"(DistanceCheck2(104, 102, 0.03, 0.02, "Via Edge To Testpoint - Top", 0, 0, 1, 0, 0) -> 0
DistanceCheck2(105, 103, 0.04, 0.01, "Via Edge To Testpoint - Bottom", 0, 0, 1, 0, 0) -> 0
)");
    EXPECT_EQ(createdGeometries.added, (Lines{"Via Edge To Testpoint_sVia_Top|board.cc|1|104",
                                              "Via Edge To Testpoint_sTP_Top|board.cc|1|102",
                                              "Via Edge To Testpoint_sVia_Bottom|board.cc|1|105",
                                              "Via Edge To Testpoint_sTP_Bottom|board.cc|1|103"}));
}

TEST_F(ViaTestsTest, EdgeToViaEdgeMeasuresTheViasOfASurfaceAgainstEachOther) {
    clsTestItem test = item("Via Edge To Via Edge", passThresholds("No"));

    EXPECT_EQ(runViaTests(test), 0);

    EXPECT_EQ(korven.trace(), R"(createFlattenGeometry(1) -> 0 [geom=100]
flattenByInsertType(100, 4, 1, 0, 3) -> 0
DistanceCheck2(100, 100, 0.03, 0.02, "Via Edge To Via Edge - Top", 0, 0, 0, 0, 0) -> 0
DeleteGeometry(100) -> 0
createFlattenGeometry(1) -> 0 [geom=101]
flattenByInsertType(101, 5, 1, 0, 3) -> 0
DistanceCheck2(101, 101, 0.04, 0.01, "Via Edge To Via Edge - Bottom", 0, 0, 0, 0, 0) -> 0
DeleteGeometry(101) -> 0
)");
}

TEST_F(ViaTestsTest, EdgeToViaEdgeWithSoldermaskPassesTheBoardsViasTwice) {
    clsTestItem test = item("Via Edge To Via Edge", passThresholds("Yes"));
    prepareSoldermask(test); // vias 102 and 103

    EXPECT_EQ(runViaTests(test), 0);

    EXPECT_EQ(korven.trace(),
              R"(DistanceCheck2(102, 102, 0.03, 0.02, "Via Edge To Via Edge - Top", 0, 0, 0, 0, 0) -> 0
DistanceCheck2(103, 103, 0.04, 0.01, "Via Edge To Via Edge - Bottom", 0, 0, 0, 0, 0) -> 0
)");
    EXPECT_EQ(createdGeometries.added, (Lines{"Via Edge To Via Edge_sVia_Top|board.cc|1|102",
                                              "Via Edge To Via Edge_sVia_Bottom|board.cc|1|103"}));
}

TEST_F(ViaTestsTest, EdgeToFeatureTakesTheViasOfBothSurfacesInEachPass) {
    clsTestItem test = item("Via Edge To Feature", passThresholds("No", "Yes"));

    EXPECT_EQ(runViaTests(test), 0);

    EXPECT_EQ(korven.trace(), R"(createFlattenGeometry(1) -> 0 [geom=100]
flattenByInsertType(100, 4, 1, 0, 3) -> 0
flattenByInsertType(100, 5, 1, 0, 3) -> 0
createFlattenGeometry(1) -> 0 [geom=101]
flattenByGraphicClass(101, 0, 6, 1) -> 0
flattenByGraphicClass(101, 1, 6, 1) -> 0
flattenByGraphicClass(101, 2, 6, 1) -> 0
flattenByGraphicClass(101, 3, 6, 1) -> 0
flattenByGraphicClass(101, 4, 6, 1) -> 0
flattenByGraphicClass(101, 5, 6, 1) -> 0
FilterGeometry(101, "NETNAME", "", 5) -> 0
flattenByInsertType(101, 4, 10, 0, 3) -> 0
flattenByInsertType(101, 4, 0, 0, 3) -> 0
DistanceCheck2(100, 101, 0.03, 0.02, "Via Edge To Feature - Top", 0, 0, 1, 0, 0) -> 0
DeleteGeometry(100) -> 0
DeleteGeometry(101) -> 0
createFlattenGeometry(1) -> 0 [geom=102]
flattenByInsertType(102, 4, 1, 0, 3) -> 0
flattenByInsertType(102, 5, 1, 0, 3) -> 0
createFlattenGeometry(1) -> 0 [geom=103]
flattenByGraphicClass(103, 0, 6, 1) -> 0
flattenByGraphicClass(103, 1, 6, 1) -> 0
flattenByGraphicClass(103, 2, 6, 1) -> 0
flattenByGraphicClass(103, 3, 6, 1) -> 0
flattenByGraphicClass(103, 4, 6, 1) -> 0
flattenByGraphicClass(103, 5, 6, 1) -> 0
FilterGeometry(103, "NETNAME", "", 5) -> 0
flattenByInsertType(103, 5, 10, 0, 3) -> 0
flattenByInsertType(103, 5, 0, 0, 3) -> 0
DistanceCheck2(102, 103, 0.04, 0.01, "Via Edge To Feature - Bottom", 0, 0, 1, 0, 0) -> 0
DeleteGeometry(102) -> 0
DeleteGeometry(103) -> 0
)");
    EXPECT_EQ(createdGeometries.added, (Lines{"Via Edge To Feature - Via_Top|board.cc|1|100",
                                              "Via Edge To Feature - Feature_Top|board.cc|1|101",
                                              "Via Edge To Feature - Via_Bottom|board.cc|1|102",
                                              "Via Edge To Feature - Feature_Bottom|board.cc|1|103"}));
}

TEST_F(ViaTestsTest, EdgeToFeatureWithSoldermaskMeasuresTheBoardsViasAgainstItsFeatures) {
    clsTestItem test = item("Via Edge To Feature", passThresholds("Yes"));
    prepareSoldermask(test); // features 102 and 103, vias 104 and 105

    EXPECT_EQ(runViaTests(test), 0);

    EXPECT_EQ(korven.trace(),
              R"(DistanceCheck2(104, 102, 0.03, 0.02, "Via Edge To Feature - Top", 0, 0, 0, 0, 0) -> 0
DistanceCheck2(105, 103, 0.04, 0.01, "Via Edge To Feature - Bottom", 0, 0, 0, 0, 0) -> 0
)");
    EXPECT_EQ(createdGeometries.added, (Lines{"Via Edge To Feature_sVia_Top|board.cc|1|104",
                                              "Via Edge To Feature_sFeature_Top|board.cc|1|102",
                                              "Via Edge To Feature_sVia_Bottom|board.cc|1|105",
                                              "Via Edge To Feature_sFeature_Bottom|board.cc|1|103"}));
}

TEST_F(ViaTestsTest, LowerCaseYesIsOffEvenWhenTheSoldermaskGeometriesExist) {
    clsTestItem masked = item("Via Edge To Via Edge", passThresholds("Yes"));
    prepareSoldermask(masked);
    clsTestItem test = item("Via Edge To Via Edge", passThresholds("yes"));

    EXPECT_EQ(runViaTests(test), 0);

    EXPECT_TRUE(korven.trace().starts_with("createFlattenGeometry(1) -> 0 [geom=104]\n"
                                           "flattenByInsertType(104, 4, 1, 0, 3) -> 0\n"
                                           "DistanceCheck2(104, 104, "))
        << korven.trace();
    EXPECT_NE(korven.trace().find("DeleteGeometry(105) -> 0\n"), std::string::npos);
}

TEST_F(ViaTestsTest, UnderComponentNamesBothGeometriesOfAPassAlikeAndDeletesThem) {
    clsTestItem test =
        item("Via Under Component",
             {{"Skip_Masked_Vias", "No"}, {"Skip_Comps_with_ALLOW_VIA_UNDER_PART_attribute", "Yes"}});

    EXPECT_EQ(runViaTests(test), 0);

    EXPECT_EQ(korven.trace(), R"(createFlattenGeometry(1) -> 0 [geom=100]
flattenByInsertType(100, 4, 1, 0, 3) -> 0
createFlattenGeometry(1) -> 0 [geom=101]
FlattenByAttrib(101, 0, "ALLOW_VIA_UNDER_PART", "", 6, 3, 0, 3) -> 0
ViaUnderPart(100, 101, "Via Under Component - Top") -> 0
DeleteGeometry(100) -> 0
DeleteGeometry(101) -> 0
createFlattenGeometry(1) -> 0 [geom=102]
flattenByInsertType(102, 5, 1, 0, 3) -> 0
createFlattenGeometry(1) -> 0 [geom=103]
FlattenByAttrib(103, 1, "ALLOW_VIA_UNDER_PART", "", 6, 3, 0, 3) -> 0
ViaUnderPart(102, 103, "Via Under Component - Bottom") -> 0
DeleteGeometry(102) -> 0
DeleteGeometry(103) -> 0
)");
    EXPECT_EQ(createdGeometries.added,
              (Lines{"Via Under Component - Top|board.cc|1|100", "Via Under Component - Top|board.cc|1|101",
                     "Via Under Component - Bottom|board.cc|1|102",
                     "Via Under Component - Bottom|board.cc|1|103"}));
}

TEST_F(ViaTestsTest, UnderComponentWithoutTheAttributeRuleTakesEveryBody) {
    clsTestItem test =
        item("Via Under Component", {{"Skip_Comps_with_ALLOW_VIA_UNDER_PART_attribute", "yes"}});

    EXPECT_EQ(runViaTests(test), 0);

    EXPECT_NE(korven.trace().find("createFlattenGeometry(1) -> 0 [geom=101]\n"
                                  "flattenByInsertType(101, 0, 3, 0, 3) -> 0\n"
                                  "ViaUnderPart(100, 101, "),
              std::string::npos)
        << korven.trace();
}

TEST_F(ViaTestsTest, UnderComponentSkippingMaskedViasLeavesTheBodyGeometriesInTheDesign) {
    clsTestItem test = item("Via Under Component", {{"Skip_Masked_Vias", "Yes"}});
    prepareSoldermask(test); // vias 102 and 103

    EXPECT_EQ(runViaTests(test), 0);

    EXPECT_EQ(korven.trace(), R"(createFlattenGeometry(1) -> 0 [geom=104]
FlattenByAttrib(104, 0, "ALLOW_VIA_UNDER_PART", "", 6, 3, 0, 3) -> 0
ViaUnderPart(102, 104, "Via Under Component - Top") -> 0
createFlattenGeometry(1) -> 0 [geom=105]
FlattenByAttrib(105, 1, "ALLOW_VIA_UNDER_PART", "", 6, 3, 0, 3) -> 0
ViaUnderPart(103, 105, "Via Under Component - Bottom") -> 0
)");
    EXPECT_EQ(createdGeometries.added, (Lines{"Via Under Component_sVia_Top|board.cc|1|102",
                                              "Via Under Component - Top|board.cc|1|104",
                                              "Via Under Component_sVia_Bottom|board.cc|1|103",
                                              "Via Under Component - Bottom|board.cc|1|105"}));
}

TEST_F(ViaTestsTest, InSmtPadFiltersOutPinsThatAllowVias) {
    clsTestItem test =
        item("Via In SMT Pad", {{"No_Violation_if_Comp_has_ALLOW_VIA_IN_PIN_attribute", "Yes"}});

    EXPECT_EQ(runViaTests(test), 0);

    EXPECT_EQ(korven.trace(), R"(createFlattenGeometry(1) -> 0 [geom=100]
flattenByInsertType(100, 4, 1, 0, 3) -> 0
createFlattenGeometry(1) -> 0 [geom=101]
FlattenByAttrib(101, 4, "SMD", "", 5, 2, 0, 3) -> 0
FilterGeometry(101, "ALLOW_VIA_IN_PIN", "", 5) -> 0
DistanceCheck2(100, 101, 0, 0, "Via In SMT Pad - Top", 0, 0, 0, 0, 0) -> 0
DeleteGeometry(100) -> 0
DeleteGeometry(101) -> 0
createFlattenGeometry(1) -> 0 [geom=102]
flattenByInsertType(102, 5, 1, 0, 3) -> 0
createFlattenGeometry(1) -> 0 [geom=103]
FlattenByAttrib(103, 5, "SMD", "", 5, 2, 0, 3) -> 0
FilterGeometry(103, "ALLOW_VIA_IN_PIN", "", 5) -> 0
DistanceCheck2(102, 103, 0, 0, "Via In SMT Pad - Bottom", 0, 0, 0, 0, 0) -> 0
DeleteGeometry(102) -> 0
DeleteGeometry(103) -> 0
)");
    EXPECT_EQ(createdGeometries.added.at(1), "Via In SMT Pad - Pin_Top|board.cc|1|101");
}

TEST_F(ViaTestsTest, InSmtPadWithoutTheAttributeRuleSkipsTheFilter) {
    clsTestItem test =
        item("Via In SMT Pad", {{"No_Violation_if_Comp_has_ALLOW_VIA_IN_PIN_attribute", "No"}});

    EXPECT_EQ(runViaTests(test), 0);

    EXPECT_EQ(korven.trace().find("FilterGeometry"), std::string::npos) << korven.trace();
    EXPECT_NE(korven.trace().find("DistanceCheck2(102, 103, 0, 0, \"Via In SMT Pad - Bottom\""),
              std::string::npos);
}

TEST_F(ViaTestsTest, EveryFilterIsTimedAsItsOwnSubProcess) {
    test::ExpandedTimeLog timeLog(window, objKorven);
    clsTestItem test = item("Via In SMT Pad");

    runViaTests(test);

    Lines onePass{"Create Geometry", "Flatten InsertType", "Create Geometry", "Flatten InsertType",
                  "Filter",          "Distance Check"};
    Lines both = onePass;
    both.insert(both.end(), onePass.begin(), onePass.end());
    EXPECT_EQ(timeLog.subProcesses(), both);
}

TEST_F(ViaTestsTest, DebugModeKeepsAndListsEveryGeometry) {
    runnerSwitches().blnDebugOn = true;
    clsTestItem test = item("Via Edge To Component Pad Edge");

    EXPECT_EQ(runViaTests(test), 0);

    EXPECT_EQ(korven.trace().find("DeleteGeometry"), std::string::npos) << korven.trace();
    EXPECT_EQ(createdGeometries.added.size(), 4u);
}

TEST_F(ViaTestsTest, FailingCheckEndsTheBoardAndItsGeometriesGoAfterTheResultLine) {
    openDocument({"a.cc", "b.cc"});
    korven.queueCode("ViaUnderPart", -15);
    clsTestItem test = item("Via Under Component");

    EXPECT_EQ(runViaTests(test), -999);

    EXPECT_EQ(logLines(), (Lines{"   Test On a.cc : FAILED {dfmViaUnderPart {DFM Test Failed}}",
                                 "   Test On b.cc : SUCCEDED {Marginal: 0  Critical: 0}"}));
    EXPECT_NE(korven.trace().find("ViaUnderPart(100, 101, \"Via Under Component - Top\") -> -15\n"
                                  "DeleteGeometry(100) -> 0\n"
                                  "DeleteGeometry(101) -> 0\n"
                                  "createFlattenGeometry(2) -> 0 [geom=102]\n"),
              std::string::npos)
        << korven.trace();
}

TEST_F(ViaTestsTest, FailureWithTheSwitchOnKeepsTheBoardsSoldermaskGeometries) {
    clsTestItem test = item("Via Edge To Via Edge", passThresholds("Yes"));
    prepareSoldermask(test);
    korven.queueCode("DistanceCheck2", -15);

    EXPECT_EQ(runViaTests(test), -999);

    EXPECT_EQ(korven.trace(),
              "DistanceCheck2(102, 102, 0.03, 0.02, \"Via Edge To Via Edge - Top\", 0, 0, 0, 0, 0) -> -15\n");
}

TEST_F(ViaTestsTest, DrcLimitOnEveryBoardSucceedsWithResultOne) {
    openDocument({"a.cc", "b.cc"});
    korven.setCode("ViaHoleSize", 1);
    clsTestItem test = item("Via Hole Size");

    EXPECT_EQ(runViaTests(test), 1);

    EXPECT_EQ(logLines(), (Lines{"   Test On a.cc : SUCCEDED {dfmViaHoleSize {Too Many Errors}}",
                                 "   Test On b.cc : SUCCEDED {dfmViaHoleSize {Too Many Errors}}"}));
}

TEST_F(ViaTestsTest, SaveOnFailSavesTheDesignAndStillCleansUp) {
    openDocument({"a.cc", "b.cc"});
    runnerSwitches().blnSaveOnFail = true;
    korven.queueCode("FilterGeometry", -15);
    clsTestItem test = item("Via In SMT Pad");

    EXPECT_EQ(runViaTests(test), -999);

    EXPECT_EQ(logLines(), Lines{"   Test On a.cc : FAILED {dfmFilterGeometry {DFM Test Failed}}"});
    std::string trace = korven.trace();
    EXPECT_TRUE(
        trace.ends_with("-> -15\n" + savedCopy() + "DeleteGeometry(100) -> 0\nDeleteGeometry(101) -> 0\n"))
        << trace;
    EXPECT_EQ(trace.find("createFlattenGeometry(2)"), std::string::npos);
}
