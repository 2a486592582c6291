#include "testlogic/mdlTestLogic.h"
#include "tests/korven/ExpandedTimeLog.h"
#include "tests/support/GoldenFile.h"
#include "tests/testlogic/BoardFamilyFixture.h"

using namespace lumora;
using Lines = std::vector<std::string>;

namespace {

class ViaTestsTest : public test::BoardFamilyFixture {
  protected:
    void SetUp() override { openDocument({"board.cc"}); }
};

} // namespace

TEST_F(ViaTestsTest, PadAndHoleSizesRunOncePerBoardWithoutGeometries) {
    openDocument({"a.cc", "b.cc"});
    clsTestItem pads = item("Via Pad Size");
    clsTestItem holes = item("Via Hole Size", {{"Minimum_Size", "0.01"}, {"Maximum_Size", "0.02"}});

    EXPECT_EQ(runViaTests(pads), 0);
    EXPECT_EQ(runViaTests(holes), 0);

    EXPECT_GOLDEN(korven.trace(), "via/pad-and-hole-sizes-two-boards");
    EXPECT_TRUE(createdGeometries.added.empty());
}

TEST_F(ViaTestsTest, EdgeToComponentPadEdgeBuildsViasAndPinsOfEachSurface) {
    clsTestItem test = item("Via Edge To Component Pad Edge", test::viaPassThresholds("No", "Yes"));

    EXPECT_EQ(runViaTests(test), 0);

    EXPECT_GOLDEN(korven.trace(), "via/edge-to-component-pad-edge");
    EXPECT_EQ(createdGeometries.added, (Lines{"Via Edge To Component Pad Edge - Via_Top|board.cc|1|100",
                                              "Via Edge To Component Pad Edge - Pin_Top|board.cc|1|101",
                                              "Via Edge To Component Pad Edge - Via_Bottom|board.cc|1|102",
                                              "Via Edge To Component Pad Edge - Pin_Bottom|board.cc|1|103"}));
}

TEST_F(ViaTestsTest, EdgeToTestpointMeasuresViasAgainstTheTestpointsOfTheSurface) {
    clsTestItem test = item("Via Edge To Testpoint", test::viaPassThresholds("No"));

    EXPECT_EQ(runViaTests(test), 0);

    EXPECT_GOLDEN(korven.trace(), "via/edge-to-testpoint");
    EXPECT_EQ(createdGeometries.added.at(3), "Via Edge To Testpoint - TP_Bottom|board.cc|1|103");
}

TEST_F(ViaTestsTest, EdgeToViaEdgeMeasuresTheViasOfASurfaceAgainstEachOther) {
    clsTestItem test = item("Via Edge To Via Edge", test::viaPassThresholds("No"));

    EXPECT_EQ(runViaTests(test), 0);

    EXPECT_GOLDEN(korven.trace(), "via/edge-to-via-edge");
}

TEST_F(ViaTestsTest, EdgeToFeatureTakesTheViasOfBothSurfacesInEachPass) {
    clsTestItem test = item("Via Edge To Feature", test::viaPassThresholds("No", "Yes"));

    EXPECT_EQ(runViaTests(test), 0);

    EXPECT_GOLDEN(korven.trace(), "via/edge-to-feature");
    EXPECT_EQ(createdGeometries.added, (Lines{"Via Edge To Feature - Via_Top|board.cc|1|100",
                                              "Via Edge To Feature - Feature_Top|board.cc|1|101",
                                              "Via Edge To Feature - Via_Bottom|board.cc|1|102",
                                              "Via Edge To Feature - Feature_Bottom|board.cc|1|103"}));
}

TEST_F(ViaTestsTest, LowerCaseYesIsOffEvenWhenTheSoldermaskGeometriesExist) {
    clsTestItem masked = item("Via Edge To Via Edge", test::viaPassThresholds("Yes"));
    prepareSoldermask(masked);
    clsTestItem test = item("Via Edge To Via Edge", test::viaPassThresholds("yes"));

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

    EXPECT_GOLDEN(korven.trace(), "via/under-component");
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

    EXPECT_GOLDEN(korven.trace(), "via/under-component-skipping-masked-vias");
    EXPECT_EQ(createdGeometries.added, (Lines{"Via Under Component_sVia_Top|board.cc|1|102",
                                              "Via Under Component - Top|board.cc|1|104",
                                              "Via Under Component_sVia_Bottom|board.cc|1|103",
                                              "Via Under Component - Bottom|board.cc|1|105"}));
}

TEST_F(ViaTestsTest, InSmtPadFiltersOutPinsThatAllowVias) {
    clsTestItem test =
        item("Via In SMT Pad", {{"No_Violation_if_Comp_has_ALLOW_VIA_IN_PIN_attribute", "Yes"}});

    EXPECT_EQ(runViaTests(test), 0);

    EXPECT_GOLDEN(korven.trace(), "via/in-smt-pad");
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

    EXPECT_EQ(timeLog.subProcesses(),
              topThenBottom({"Create Geometry", "Flatten InsertType", "Create Geometry", "Flatten InsertType",
                             "Filter", "Distance Check"}));
}
