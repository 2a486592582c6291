#include "testlogic/mdlTestLogic.h"
#include "tests/support/GoldenFile.h"
#include "tests/testlogic/BoardFamilyFixture.h"

using namespace lumora;
using Lines = std::vector<std::string>;

namespace {

constexpr const char* kFiducials = "Fiducial Clearance To Board Outline";
constexpr const char* kComponents = "Minimum Component Clearance To Board Outline";
constexpr const char* kTestpoints = "Minimum Testpoint Pad Edge Clearance To Board Outline";
constexpr const char* kVias = "Minimum Via Pad Edge Clearance To Board Outline";
constexpr const char* kGoldfingers = "Goldfinger Flush With Board Outline";
constexpr const char* kEtch = "Minimum Etch Edge Clearance To Board Outline";

// Copper layers only, with the given electrical stack-up numbers.
std::vector<test::ScriptedLayer> copperLayers(std::vector<int16_t> stackups) {
    std::vector<test::ScriptedLayer> layers;
    for (int16_t stackup : stackups) {
        layers.push_back({.name = "L" + std::to_string(stackup), .type = 3, .electrical = stackup});
    }
    return layers;
}

class BoardOutlineTestsTest : public test::BoardFamilyFixture {
  protected:
    void SetUp() override { openDocument({"board.cc"}, test::twoLayerBoardWithPinExtents()); }

    Lines passedOnEveryBoard(Lines boards) {
        Lines lines;
        for (const std::string& board : boards) {
            lines.push_back("   Test On " + board + " : SUCCEDED {Marginal: 0  Critical: 0}");
        }
        return lines;
    }
};

} // namespace

TEST_F(BoardOutlineTestsTest, FiducialsOfBothSurfacesStayUntilTheEndOfTheBoard) {
    korven.queueDrcs({{"DRC Added", "Marginal"}, {"DRC Added", "Critical"}, {"DRC Added", "Critical"}});
    clsTestItem test = item(kFiducials, {{"Min_Clearance_From_Board_Edge", "0.2"}});

    EXPECT_EQ(runBoardOutlineTests(test), 0);

    EXPECT_GOLDEN(korven.trace(), "board-outline/fiducials-both-surfaces");
    EXPECT_EQ(logLines(), Lines{"   Test On board.cc : SUCCEDED {Marginal: 1  Critical: 2}"});
    EXPECT_EQ(createdGeometries.added,
              (Lines{"Fiducial Clearance To Board Outline - BdOutline|board.cc|1|100",
                     "Fiducial Clearance To Board Outline - Fid|board.cc|1|101"}));
}

TEST_F(BoardOutlineTestsTest, ComponentClearanceOnBothSurfacesFillsOneGeometryWithBothBodyOutlines) {
    clsTestItem test = item(kComponents, {{"Test_Surface", "Both"}, {"Minimum_Distance_From_Edge", "0.1"}});

    EXPECT_EQ(runBoardOutlineTests(test), 0);

    EXPECT_GOLDEN(korven.trace(), "board-outline/component-clearance-both-surfaces");
    EXPECT_EQ(createdGeometries.added.at(1),
              "Minimum Component Clearance To Board Outline - Comp|board.cc|1|101");
}

TEST_F(BoardOutlineTestsTest, ComponentClearanceSurfaceWordsAreExact) {
    struct Case {
        const char* surface;
        std::string bodies; // the body-outline flattening the word selects
    };
    for (const Case& c :
         {Case{"Top", "flattenByInsertType(101, 0, 3, 0, 3) -> 0\n"},
          Case{"Bottom", "flattenByInsertType(101, 1, 3, 0, 3) -> 0\n"}, Case{"top", ""}, Case{"Bot", ""}}) {
        korven.nextGeomNum = 100;
        korven.clearCalls();
        clsTestItem test = item(kComponents, {{"Test_Surface", c.surface}});
        EXPECT_EQ(runBoardOutlineTests(test), 0) << c.surface;
        EXPECT_EQ(korven.trace(), "createFlattenGeometry(1) -> 0 [geom=100]\n"
                                  "flattenByGraphicClass(100, -1, 16, 0) -> 0\n"
                                  "createFlattenGeometry(1) -> 0 [geom=101]\n" +
                                      c.bodies +
                                      "DistanceCheck2(100, 101, 0.125, 0.125, \"Minimum Component Clearance "
                                      "To Board Outline\", 0, 0, 0, 0, 0) -> 0\n"
                                      "DeleteGeometry(100) -> 0\n"
                                      "DeleteGeometry(101) -> 0\n")
            << c.surface;
    }
}

TEST_F(BoardOutlineTestsTest, TestpointPassOfAnUnchosenSurfaceStillMeasuresItsEmptyGeometry) {
    clsTestItem test = item(kTestpoints, {{"Test_Surface", "Top"}, {"Minimum_Distance_From_Edge", "0.05"}});

    EXPECT_EQ(runBoardOutlineTests(test), 0);

    EXPECT_GOLDEN(korven.trace(), "board-outline/testpoint-clearance-top-only");
    EXPECT_EQ(createdGeometries.added,
              (Lines{"Minimum Testpoint Pad Edge Clearance To Board Outline - BdOutline|board.cc|1|100",
                     "Minimum Testpoint Pad Edge Clearance To Board Outline - TP_Top|board.cc|1|101",
                     "Minimum Testpoint Pad Edge Clearance To Board Outline - BdOutline|board.cc|1|102",
                     "Minimum Testpoint Pad Edge Clearance To Board Outline - TP_Bottom|board.cc|1|103"}));
}

TEST_F(BoardOutlineTestsTest, ViaPadClearanceOnBothSurfacesBuildsTheOutlineOncePerPass) {
    clsTestItem test = item(kVias, {{"Test_Surface", "Both"}});

    EXPECT_EQ(runBoardOutlineTests(test), 0);

    EXPECT_GOLDEN(korven.trace(), "board-outline/via-pad-clearance-both-surfaces");
    EXPECT_EQ(createdGeometries.added.at(3),
              "Minimum Via Pad Edge Clearance To Board Outline - Via_Bottom|board.cc|1|103");
}

TEST_F(BoardOutlineTestsTest, GoldfingersOfThePackageAreCheckedFlushWithTheEdge) {
    clsTestItem test = item(kGoldfingers, {{"Package_Keyword", "FAMILY"},
                                           {"Package_Value", "CARD_EDGE"},
                                           {"Maximum_Distance_From_Edge", "0.02"}});

    EXPECT_EQ(runBoardOutlineTests(test), 0);

    EXPECT_GOLDEN(korven.trace(), "board-outline/goldfinger-flush");
    EXPECT_EQ(createdGeometries.added, Lines{"Goldfinger Flush With Board Outline|board.cc|1|100"});
}

TEST_F(BoardOutlineTestsTest, EtchOfEachStackupIsMeasuredFromOneOutline) {
    clsTestItem test = item(kEtch, {{"Minimum_Distance_From_Edge", "0.03"}});

    EXPECT_EQ(runBoardOutlineTests(test), 0);

    EXPECT_GOLDEN(korven.trace(), "board-outline/etch-clearance-two-stackups");
}

TEST_F(BoardOutlineTestsTest, ThreeStackupsGiveThreeNumberedEtchGeometries) {
    openDocument({"board.cc"}, copperLayers({1, 2, 3}));
    clsTestItem test = item(kEtch);

    EXPECT_EQ(runBoardOutlineTests(test), 0);

    EXPECT_EQ(createdGeometries.added,
              (Lines{"Minimum Etch Edge Clearance To Board Outline - BdOutline|board.cc|1|100",
                     "Minimum Etch Edge Clearance To Board Outline - StackUp1|board.cc|1|101",
                     "Minimum Etch Edge Clearance To Board Outline - StackUp2|board.cc|1|102",
                     "Minimum Etch Edge Clearance To Board Outline - StackUp3|board.cc|1|103"}));
    EXPECT_NE(korven.trace().find("flattenByGraphicClass(103, 2, 6, 1) -> 0\n"
                                  "DistanceCheck2(100, 103, "),
              std::string::npos)
        << korven.trace();
}

TEST_F(BoardOutlineTestsTest, WithoutElectricalStackupsOnlyTheOutlineIsBuilt) {
    openDocument({"board.cc"}, copperLayers({0, 0}));
    clsTestItem test = item(kEtch);

    EXPECT_EQ(runBoardOutlineTests(test), 0);

    EXPECT_EQ(korven.trace(), R"(createFlattenGeometry(1) -> 0 [geom=100]
flattenByGraphicClass(100, -1, 16, 0) -> 0
DeleteGeometry(100) -> 0
)");
    EXPECT_EQ(logLines(), passedOnEveryBoard({"board.cc"}));
}

TEST_F(BoardOutlineTestsTest, ThresholdThatDoesNotConvertFailsTheBoardAndItsGeometriesGo) {
    clsTestItem test = item(kComponents);
    test.dictProperties().store("Minimum_Distance_From_Edge", "wide");

    EXPECT_EQ(runBoardOutlineTests(test), -999);

    EXPECT_EQ(logLines(), Lines{"   Test On board.cc : FAILED {runBoardOutlineTests {Type mismatch}}"});
    EXPECT_TRUE(korven.trace().ends_with("DeleteGeometry(100) -> 0\nDeleteGeometry(101) -> 0\n"))
        << korven.trace();
    EXPECT_EQ(korven.trace().find("DistanceCheck2"), std::string::npos);
}

TEST_F(BoardOutlineTestsTest, EmptyBoardListRunsOnceOnTheBlankEntry) {
    korven.files.clear();
    scriptPanels({"panel.cc"}); // a document with a panel and no board
    connectCounting();
    clsTestItem test = item(kGoldfingers);

    EXPECT_EQ(runBoardOutlineTests(test), 0);

    EXPECT_EQ(logLines(), passedOnEveryBoard({""}));
    EXPECT_TRUE(korven.trace().starts_with("createFlattenGeometry(0) -> 0 [geom=100]\n")) << korven.trace();
}

TEST_F(BoardOutlineTestsTest, UnknownNameRunsNoCheckButReportsTheBoard) {
    clsTestItem test = item("Minimum Etch Edge Clearance To Board Outline ");

    EXPECT_EQ(runBoardOutlineTests(test), 0);

    EXPECT_EQ(korven.trace(), "");
    EXPECT_EQ(logLines(), passedOnEveryBoard({"board.cc"}));
}
