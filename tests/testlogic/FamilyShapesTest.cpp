// One call trace per shape of family routine (two surfaces, one geometry per stack-up, a measured
// subject against features, the board's soldermask borrowed or not), and the rules a trace cannot
// show: shared geometries are deleted once, words are compared exactly, a per-net count is only a
// status. The results of every test on real designs are pinned by tests/cli/SeededExamplesTest.

#include "testlogic/mdlTestLogic.h"
#include "tests/support/GoldenFile.h"
#include "tests/testlogic/BoardFamilyFixture.h"

using namespace lumora;
using Lines = std::vector<std::string>;

namespace {

class FamilyShapesTest : public test::BoardFamilyFixture {
  protected:
    void SetUp() override {
        korven.etchBlockerTop = 20;
        korven.etchBlockerBottom = 21;
        openDocument({"board.cc"}, test::boardWithStackups(3));
    }
};

} // namespace

TEST_F(FamilyShapesTest, TwoSurfacesTwoPackages) {
    clsTestItem test = item("Component Package To Component Package",
                            {{"Package_1", "BGA"}, {"Package_2", "QFP"}, {"Pkg_Attribute", "PKG_NAME"}});
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_GOLDEN(korven.trace(), "board/package-to-package");
    EXPECT_EQ(createdNames(), (Lines{"Component Package To Component Package1 - BGA_Top",
                                     "Component Package To Component Package2 - QFP_Top",
                                     "Component Package To Component Package1 - BGA_Bottom",
                                     "Component Package To Component Package2 - QFP_Bottom"}));
}

TEST_F(FamilyShapesTest, OneGeometryPerStackup) {
    clsTestItem test = item("Etch Width", {{"Marginal_Bottom", "0.012"}, {"Critical_Bottom", "0.006"}});
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_GOLDEN(korven.trace(), "board-routing/etch-width-three-stackups");
}

TEST_F(FamilyShapesTest, ItemsMeasuredFromTheBoardOutline) {
    useLayers(test::twoLayerBoardWithPinExtents());
    clsTestItem test =
        item("Minimum Etch Edge Clearance To Board Outline", {{"Minimum_Distance_From_Edge", "0.03"}});
    EXPECT_EQ(runBoardOutlineTests(test), 0);
    EXPECT_GOLDEN(korven.trace(), "board-outline/etch-clearance-two-stackups");
}

TEST_F(FamilyShapesTest, ViasAgainstBodiesOfEachSurface) {
    useLayers(test::twoLayerBoard());
    clsTestItem test =
        item("Via Under Component",
             {{"Skip_Masked_Vias", "No"}, {"Skip_Comps_with_ALLOW_VIA_UNDER_PART_attribute", "Yes"}});
    EXPECT_EQ(runViaTests(test), 0);
    EXPECT_GOLDEN(korven.trace(), "via/under-component");
}

TEST_F(FamilyShapesTest, APackageAgainstItselfSharesOneGeometryDeletedOnceEvenAfterAFailure) {
    korven.queueCode("DistanceCheck2", -15);
    clsTestItem test = item("Component Package To Component Package",
                            {{"Package_1", "BGA"}, {"Package_2", "BGA"}, {"Test_Surface", "Bottom"}});
    EXPECT_EQ(runBoardTests(test), -999);
    EXPECT_EQ(traceFrom("DistanceCheck2"), "DistanceCheck2(100, 100, 0.03, 0.02, \"Component Package To "
                                           "Component Package - BGA To BGA_Bottom\", 0, 0, 0, 0, 0) -> -15\n"
                                           "DeleteGeometry(100) -> 0\n");
}

TEST_F(FamilyShapesTest, SideBySideTestsRunTheBottomSideForBottomAndNoSideForBot) {
    for (const char* name : {"Component Package To Component Package", "Placement Machine Tooling Keepout"}) {
        clsTestItem bottom = item(name, {{"Test_Surface", "Bottom"}});
        EXPECT_EQ(runBoardTests(bottom), 0);
        EXPECT_NE(korven.trace().find("Bottom\", 0"), std::string::npos) << korven.trace();
        EXPECT_EQ(korven.trace().find("Top\", 0"), std::string::npos) << korven.trace();
        korven.clearCalls();

        clsTestItem bot = item(name, {{"Test_Surface", "Bot"}});
        EXPECT_EQ(runBoardTests(bot), 0);
        EXPECT_EQ(korven.trace(), "") << name;
    }
}

TEST_F(FamilyShapesTest, LowerCaseYesDoesNotBorrowTheBoardsSoldermask) {
    useLayers(test::twoLayerBoard());
    clsTestItem masked = item("Via Edge To Via Edge", test::viaPassThresholds("Yes"));
    prepareSoldermask(masked);
    clsTestItem test = item("Via Edge To Via Edge", test::viaPassThresholds("yes"));
    EXPECT_EQ(runViaTests(test), 0);
    EXPECT_TRUE(korven.trace().starts_with("createFlattenGeometry(1) -> 0 [geom=104]\n")) << korven.trace();
}

TEST_F(FamilyShapesTest, APerNetCountIsTheBoardsStatusOnly) {
    openDocument({"a.cc", "b.cc"});
    runWith({.blnSaveOnFail = true}); // only the failure path saves
    korven.queueCode("TestpointsPerNet", 1);
    korven.queueCode("TestpointsPerNet", -15);
    clsTestItem test = item("Top Surface Testpoints Per Net");

    EXPECT_EQ(runTestpointTests(test), -999);

    EXPECT_EQ(logLines(), (Lines{"   Test On a.cc : FAILED {Too Many Errors}",
                                 "   Test On b.cc : FAILED {DFM Test Failed}"}));
    EXPECT_EQ(korven.trace().find("SaveDataFileAs"), std::string::npos);
}
