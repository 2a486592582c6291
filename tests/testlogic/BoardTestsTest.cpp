// The board family as a whole (name lookup, failure and limit paths, clean-ups) and its tests of
// component bodies, pins and pads.

#include "testlogic/mdlTestLogic.h"
#include "tests/korven/ExpandedTimeLog.h"
#include "tests/support/GoldenFile.h"
#include "tests/testlogic/BoardFamilyFixture.h"

using namespace lumora;
using Lines = std::vector<std::string>;

namespace {

class BoardTestsTest : public test::BoardFamilyFixture {
  protected:
    void SetUp() override { openDocument({"board.cc"}, test::boardWithStackups(3)); }
};

// Two boards, for the paths that decide what happens to the next board.
class TwoBoardFamilyTest : public test::BoardFamilyFixture {
  protected:
    void SetUp() override { openDocument({"boardA.cc", "boardB.cc"}, test::boardWithStackups(3)); }
};

const std::string kSuccess = "SUCCEDED {Marginal: 0  Critical: 0}";

} // namespace

// --- the family ---

TEST_F(BoardTestsTest, ANameOfNoBoardTestRunsNoCheckAndReportsTheBoard) {
    clsTestItem test = item("Etch width");
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_EQ(korven.trace(), "");
    EXPECT_EQ(logLines(), (Lines{"   Test On board.cc : " + kSuccess}));
}

TEST_F(BoardTestsTest, ResultLineCountsTheDrcsOfTheBoard) {
    korven.queueDrcs({{"DRC Added", "Critical"}});
    korven.queueDrcs({{"DRC Added", "Marginal"}, {"DRC Added", "Marginal"}});
    clsTestItem test = item("Placement Machine Tooling Keepout");
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_EQ(logLines(), (Lines{"   Test On board.cc : SUCCEDED {Marginal: 2  Critical: 1}"}));
}

TEST_F(TwoBoardFamilyTest, AFailingCheckEndsTheBoardDeletesItsGeometriesAndGoesOn) {
    korven.queueCode("DistanceCheck2", -17);
    clsTestItem test = item("Placement Machine Tooling Keepout");
    EXPECT_EQ(runBoardTests(test), -999);
    EXPECT_EQ(logLines(), (Lines{"   Test On boardA.cc : FAILED {dfmDistanceCheck {#  -17 Occured.}}",
                                 "   Test On boardB.cc : " + kSuccess}));
    std::string trace = korven.trace();
    EXPECT_GOLDEN(trace.substr(0, trace.find("createFlattenGeometry(2)")),
                  "board/tooling-keepout-failing-first-board");
    // The second board runs both sides with fresh geometries.
    EXPECT_NE(trace.find("DistanceCheck2(104, 105, 0, 0, \"Placement Machine Tooling Keepout - Bottom\""),
              std::string::npos)
        << trace;
}

TEST_F(TwoBoardFamilyTest, TheDrcLimitOnEveryBoardSucceedsWithTheWrappersNameAndReturnsOne) {
    korven.setCode("Pin1Orientation", 1);
    clsTestItem test = item("Pin 1 Orientation");
    EXPECT_EQ(runBoardTests(test), 1);
    EXPECT_EQ(logLines(),
              (Lines{"   Test On boardA.cc : SUCCEDED {dfmPin1OrientationCheck {Too Many Errors}}",
                     "   Test On boardB.cc : SUCCEDED {dfmPin1OrientationCheck {Too Many Errors}}"}));
}

TEST_F(TwoBoardFamilyTest, SaveOnFailSavesTheDesignAndTestsNoFurtherBoard) {
    runnerSwitches().blnSaveOnFail = true;
    korven.queueCode("FilterGeometry", -3);
    clsTestItem test = item("Keepout Around Thru Hole Pin on Non-Mount Side");
    EXPECT_EQ(runBoardTests(test), -999);
    EXPECT_EQ(logLines(), (Lines{"   Test On boardA.cc : FAILED {dfmFilterGeometry {Item Not Found}}"}));
    EXPECT_EQ(traceFrom("FilterGeometry"),
              "FilterGeometry(100, \"SMD\", \"\", 5) -> -3\n" + savedCopy() + "DeleteGeometry(100) -> 0\n");
}

TEST_F(BoardTestsTest, AParameterThatDoesNotConvertFailsWithTheRoutinesName) {
    clsTestItem test = item("Board Fiducials in Four Corners", {{"Test_Surface", "Top"}});
    test.dictProperties().store("Min_Corners",
                                "40000"); // past validation, as a script edit at run time would
    EXPECT_EQ(runBoardTests(test), -999);
    EXPECT_EQ(logLines(), (Lines{"   Test On board.cc : FAILED {runBoardTests {Overflow}}"}));
    EXPECT_EQ(traceFrom("DeleteGeometry"), "DeleteGeometry(100) -> 0\n");
}

TEST_F(BoardTestsTest, DebugModeKeepsEveryGeometryAndListsIt) {
    runnerSwitches().blnDebugOn = true;
    korven.queueCode("DistanceCheck2", -1);
    clsTestItem test = item("Component Over Component");
    EXPECT_EQ(runBoardTests(test), -999);
    EXPECT_EQ(korven.trace().find("DeleteGeometry"), std::string::npos) << korven.trace();
    EXPECT_EQ(createdGeometries.added, (Lines{"Component Over Component - Top|board.cc|1|100",
                                              "Component Over Component - Bottom|board.cc|1|101"}));
}

// --- component bodies ---

TEST_F(BoardTestsTest, PackageToPackageMeasuresTheTwoPackagesOnEachSide) {
    clsTestItem test = item("Component Package To Component Package",
                            {{"Package_1", "BGA"}, {"Package_2", "QFP"}, {"Pkg_Attribute", "PKG_NAME"}});
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_GOLDEN(korven.trace(), "board/package-to-package");
    EXPECT_EQ(createdNames(), (Lines{"Component Package To Component Package1 - BGA_Top",
                                     "Component Package To Component Package2 - QFP_Top",
                                     "Component Package To Component Package1 - BGA_Bottom",
                                     "Component Package To Component Package2 - QFP_Bottom"}));
}

TEST_F(BoardTestsTest, APackageAgainstItselfSharesOneGeometryDeletedOnce) {
    clsTestItem test = item("Component Package To Component Package",
                            {{"Package_1", "BGA"}, {"Package_2", "BGA"}, {"Test_Surface", "Top"}});
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_GOLDEN(korven.trace(), "board/package-against-itself-top");
}

TEST_F(BoardTestsTest, ASharedGeometryIsDeletedOnceAfterAFailureToo) {
    korven.queueCode("DistanceCheck2", -15);
    clsTestItem test = item("Component Package To Component Package",
                            {{"Package_1", "BGA"}, {"Package_2", "BGA"}, {"Test_Surface", "Bottom"}});
    EXPECT_EQ(runBoardTests(test), -999);
    EXPECT_EQ(
        traceFrom("DistanceCheck2"),
        R"(DistanceCheck2(100, 100, 0.03, 0.02, "Component Package To Component Package - BGA To BGA_Bottom", 0, 0, 0, 0, 0) -> -15
DeleteGeometry(100) -> 0
)");
    EXPECT_EQ(logLines(), (Lines{"   Test On board.cc : FAILED {dfmDistanceCheck {DFM Test Failed}}"}));
}

TEST_F(BoardTestsTest, RealPartsComeFromThePackageBodyLayersAndSkipTheSameComponent) {
    clsTestItem test = item("Real Part To Real Part",
                            {{"Package_1", "SOIC"}, {"Package_2", "QFN"}, {"Marginal_Top", "0.04"}});
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_GOLDEN(korven.trace(), "board/real-part-to-real-part");
    EXPECT_EQ(createdNames(),
              (Lines{"Real Part To Real Part1 - SOIC_Top", "Real Part To Real Part2 - QFN_Top",
                     "Real Part To Real Part1 - SOIC_Bottom", "Real Part To Real Part2 - QFN_Bottom"}));
}

TEST_F(BoardTestsTest, ToolingKeepoutAllowsNoOverlapOnEitherSide) {
    clsTestItem test = item("Placement Machine Tooling Keepout");
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_GOLDEN(korven.trace(), "board/tooling-keepout");
    EXPECT_EQ(createdNames(), (Lines{"Placement Machine Tooling Keepout - CompBody_Top",
                                     "Placement Machine Tooling Keepout - Keepout_Top",
                                     "Placement Machine Tooling Keepout - CompBody_Bottom",
                                     "Placement Machine Tooling Keepout - Keepout_Bottom"}));
}

TEST_F(BoardTestsTest, ComponentOverComponentSelectsEachSideByItsOwnAttribute) {
    clsTestItem test = item("Component Over Component", {{"Top_Attribute_Keyword", "HEIGHT_CLASS"},
                                                         {"Top_Attribute_Value", "TALL"},
                                                         {"Bot_Attribute_Value", "QFP"}});
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_GOLDEN(korven.trace(), "board/component-over-component");
}

// --- pins and pads ---

TEST_F(BoardTestsTest, NonMountSideKeepoutMeasuresPinsAgainstPinsThenBodiesAndSmdPadsInBothPasses) {
    clsTestItem test =
        item("Keepout Around Thru Hole Pin on Non-Mount Side", {{"Keepout_Distance", "0.012"}});
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_GOLDEN(korven.trace(), "board/non-mount-side-keepout");
    EXPECT_EQ(createdNames(), (Lines{"Keepout Around Thru Hole Pin on Non-Mount Side - Pin_BottomMounted_TH",
                                     "Keepout Around Thru Hole Pin on Non-Mount Side - Outline_Top",
                                     "Keepout Around Thru Hole Pin on Non-Mount Side - Pin_TopMounted_TH",
                                     "Keepout Around Thru Hole Pin on Non-Mount Side - Outline_Bottom"}));
}

TEST_F(BoardTestsTest, NonMountSideKeepoutTimesItsFilterAsASubProcess) {
    test::ExpandedTimeLog timeLog(window, objKorven);
    clsTestItem test = item("Keepout Around Thru Hole Pin on Non-Mount Side");
    runBoardTests(test);
    Lines subProcesses = timeLog.subProcesses();
    ASSERT_GE(subProcesses.size(), 3u);
    EXPECT_EQ(Lines(subProcesses.begin(), subProcesses.begin() + 3),
              (Lines{"Create Geometry", "Flatten InsertType", "Filter"}));
}

TEST_F(BoardTestsTest, PadShapesGoInTheOrderAllOthersThenPinOne) {
    clsTestItem test = item("Thru-hole Components Pad Shape",
                            {{"Acceptable_Aperture_Shapes_for_Pad_Top_for_All_Others", "Round"},
                             {"Acceptable_Aperture_Shapes_for_Pad_Bottom_for_All_Others", "Octagon"},
                             {"Acceptable_Aperture_Shapes_for_Pad_Top_for_Pin_1", "Square"},
                             {"Acceptable_Aperture_Shapes_for_Pad_Bottom_for_Pin_1", "Oblong"}});
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_EQ(korven.trace(), "ThruHolePadShapes(1, 1, 8, 2, 9, \"Thru-hole Components Pad Shape\") -> 0\n");
}

TEST_F(BoardTestsTest, AnnularRingPassesPadsThenSoldermask) {
    clsTestItem test =
        item("Thru-hole Components Annular Ring", {{"Pad_Top_Annular_Ring_Minimum", "0.009"},
                                                   {"Pad_Bottom_Annular_Ring_Minimum", "0.008"},
                                                   {"Soldermask_Top_Annular_Ring_Minimum", "0.002"},
                                                   {"Soldermask_Bottom_Annular_Ring_Minimum", "0.003"}});
    EXPECT_EQ(runBoardTests(test), 0);
    EXPECT_EQ(korven.trace(),
              "AnnularRing(1, 0.009, 0.008, 0.002, 0.003, \"Thru-hole Components Annular Ring\") -> 0\n");
}

TEST_F(BoardTestsTest, ComponentHeightsTakeTheBottomByTheWordBot) {
    std::vector<std::pair<std::string, std::string>> heights{{"Marginal_Top", "0.1"},
                                                             {"Critical_Top", "0.2"},
                                                             {"Marginal_Bottom", "0.3"},
                                                             {"Critical_Bottom", "0.4"},
                                                             {"Component_Height_Attribute", "HEIGHT"}};
    for (const char* surface : {"Both", "Top", "Bot", "Bottom"}) {
        clsTestItem test = item("Component Heights", heights);
        test.dictProperties().store("Test_Surface", surface);
        EXPECT_EQ(runBoardTests(test), 0);
    }
    EXPECT_EQ(korven.trace(), R"(ComponentHeight(1, 1, 1, "HEIGHT", 0.1, 0.2, 0.3, 0.4) -> 0
ComponentHeight(1, 1, 0, "HEIGHT", 0.1, 0.2, 0.3, 0.4) -> 0
ComponentHeight(1, 0, 1, "HEIGHT", 0.1, 0.2, 0.3, 0.4) -> 0
ComponentHeight(1, 0, 0, "HEIGHT", 0.1, 0.2, 0.3, 0.4) -> 0
)");
}

TEST_F(BoardTestsTest, ComponentsNotAllowedTakeTheBottomByTheWordBottom) {
    for (const char* surface : {"Both", "Top", "Bottom", "Bot"}) {
        clsTestItem test = item("Components Not Allowed Per Surface",
                                {{"Attribute_Keyword", "PACKAGE_FAMILY"}, {"Attribute_Value", "CHIP"}});
        test.dictProperties().store("Test_Surface", surface);
        EXPECT_EQ(runBoardTests(test), 0);
    }
    EXPECT_EQ(korven.trace(), R"(ComponentNotAllowedPerSurface(1, 1, 1, "PACKAGE_FAMILY", "CHIP") -> 0
ComponentNotAllowedPerSurface(1, 1, 0, "PACKAGE_FAMILY", "CHIP") -> 0
ComponentNotAllowedPerSurface(1, 0, 1, "PACKAGE_FAMILY", "CHIP") -> 0
ComponentNotAllowedPerSurface(1, 0, 0, "PACKAGE_FAMILY", "CHIP") -> 0
)");
}

TEST_F(BoardTestsTest, PinOneOrientationReadsTheSurfaceByBotAndTheComponentTypeExactly) {
    struct Case {
        const char* surface;
        const char* type;
    };
    for (Case c : {Case{"Both", "Thru-Hole and SMD"}, Case{"Bot", "Thru-Hole"}, Case{"Bottom", "SMD"},
                   Case{"Top", "smd"}}) {
        clsTestItem test = item("Pin 1 Orientation", {{"Test_Surface", c.surface},
                                                      {"Test_Component_Type", c.type},
                                                      {"Ignore_Geometries_With_Fewer_Than_n_Inserts", "4"}});
        EXPECT_EQ(runBoardTests(test), 0);
    }
    EXPECT_EQ(korven.trace(), R"(Pin1Orientation(1, 1, 1, 1, 1, 4) -> 0
Pin1Orientation(1, 0, 1, 1, 0, 4) -> 0
Pin1Orientation(1, 0, 0, 0, 1, 4) -> 0
Pin1Orientation(1, 1, 0, 0, 0, 4) -> 0
)");
}

TEST_F(BoardTestsTest, SideBySideTestsRunTheBottomSideForBottomAndNoSideForBot) {
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
