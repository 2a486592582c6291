#include "testlogic/mdlTestLogic.h"
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

// The two-layer board (copper on layers 4 and 5) with the gold-finger pin extents on 6 and 7.
std::vector<test::ScriptedLayer> boardWithPinExtents() {
    std::vector<test::ScriptedLayer> layers = test::twoLayerBoard();
    layers.push_back(
        {.name = "PINS_TOP", .type = 0, .attributes = {{"DFX_OUTLINE_TYPE", "Pin Extents Top"}}});
    layers.push_back(
        {.name = "PINS_BOT", .type = 0, .attributes = {{"DFX_OUTLINE_TYPE", "Pin Extents Bottom"}}});
    return layers;
}

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
    void SetUp() override { openDocument({"board.cc"}, boardWithPinExtents()); }

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

    EXPECT_EQ(korven.trace(), R"(createFlattenGeometry(1) -> 0 [geom=100]
flattenByGraphicClass(100, -1, 16, 0) -> 0
createFlattenGeometry(1) -> 0 [geom=101]
flattenByInsertType(101, 4, 7, 0, 3) -> 0
flattenByInsertType(101, 5, 7, 0, 3) -> 0
DistanceCheck2(100, 101, 0.2, 0.2, "Fiducial Clearance To Board Outline", 0, 0, 0, 0, 0) -> 0
  Response("DRC Added", "Marginal")
  Response("DRC Added", "Critical")
  Response("DRC Added", "Critical")
DeleteGeometry(100) -> 0
DeleteGeometry(101) -> 0
)");
    EXPECT_EQ(logLines(), Lines{"   Test On board.cc : SUCCEDED {Marginal: 1  Critical: 2}"});
    EXPECT_EQ(createdGeometries.added,
              (Lines{"Fiducial Clearance To Board Outline - BdOutline|board.cc|1|100",
                     "Fiducial Clearance To Board Outline - Fid|board.cc|1|101"}));
}

TEST_F(BoardOutlineTestsTest, ComponentClearanceOnBothSurfacesFillsOneGeometryWithBothBodyOutlines) {
    clsTestItem test = item(kComponents, {{"Test_Surface", "Both"}, {"Minimum_Distance_From_Edge", "0.1"}});

    EXPECT_EQ(runBoardOutlineTests(test), 0);

    EXPECT_EQ(korven.trace(), R"(createFlattenGeometry(1) -> 0 [geom=100]
flattenByGraphicClass(100, -1, 16, 0) -> 0
createFlattenGeometry(1) -> 0 [geom=101]
flattenByInsertType(101, 0, 3, 0, 3) -> 0
flattenByInsertType(101, 1, 3, 0, 3) -> 0
DistanceCheck2(100, 101, 0.1, 0.1, "Minimum Component Clearance To Board Outline", 0, 0, 0, 0, 0) -> 0
DeleteGeometry(100) -> 0
DeleteGeometry(101) -> 0
)");
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

    EXPECT_EQ(korven.trace(), R"(createFlattenGeometry(1) -> 0 [geom=100]
flattenByGraphicClass(100, -1, 16, 0) -> 0
createFlattenGeometry(1) -> 0 [geom=101]
FlattenByAttrib(101, 4, "TEST", "", 5, -1, 0, 3) -> 0
DistanceCheck2(100, 101, 0.05, 0.05, "Minimum Testpoint Pad Edge Clearance To Board Outline - Top", 0, 0, 0, 0, 0) -> 0
DeleteGeometry(100) -> 0
DeleteGeometry(101) -> 0
createFlattenGeometry(1) -> 0 [geom=102]
flattenByGraphicClass(102, -1, 16, 0) -> 0
createFlattenGeometry(1) -> 0 [geom=103]
DistanceCheck2(102, 103, 0.05, 0.05, "Minimum Testpoint Pad Edge Clearance To Board Outline - Bottom", 0, 0, 0, 0, 0) -> 0
DeleteGeometry(102) -> 0
DeleteGeometry(103) -> 0
)");
    EXPECT_EQ(createdGeometries.added,
              (Lines{"Minimum Testpoint Pad Edge Clearance To Board Outline - BdOutline|board.cc|1|100",
                     "Minimum Testpoint Pad Edge Clearance To Board Outline - TP_Top|board.cc|1|101",
                     "Minimum Testpoint Pad Edge Clearance To Board Outline - BdOutline|board.cc|1|102",
                     "Minimum Testpoint Pad Edge Clearance To Board Outline - TP_Bottom|board.cc|1|103"}));
}

TEST_F(BoardOutlineTestsTest, ViaPadClearanceOnBothSurfacesBuildsTheOutlineOncePerPass) {
    clsTestItem test = item(kVias, {{"Test_Surface", "Both"}});

    EXPECT_EQ(runBoardOutlineTests(test), 0);

    EXPECT_EQ(korven.trace(), R"(createFlattenGeometry(1) -> 0 [geom=100]
flattenByGraphicClass(100, -1, 16, 0) -> 0
createFlattenGeometry(1) -> 0 [geom=101]
flattenByInsertType(101, 4, 1, 0, 3) -> 0
DistanceCheck2(100, 101, 0.125, 0.125, "Minimum Via Pad Edge Clearance To Board Outline - Top", 0, 0, 0, 0, 0) -> 0
DeleteGeometry(100) -> 0
DeleteGeometry(101) -> 0
createFlattenGeometry(1) -> 0 [geom=102]
flattenByGraphicClass(102, -1, 16, 0) -> 0
createFlattenGeometry(1) -> 0 [geom=103]
flattenByInsertType(103, 5, 1, 0, 3) -> 0
DistanceCheck2(102, 103, 0.125, 0.125, "Minimum Via Pad Edge Clearance To Board Outline - Bottom", 0, 0, 0, 0, 0) -> 0
DeleteGeometry(102) -> 0
DeleteGeometry(103) -> 0
)");
    EXPECT_EQ(createdGeometries.added.at(3),
              "Minimum Via Pad Edge Clearance To Board Outline - Via_Bottom|board.cc|1|103");
}

TEST_F(BoardOutlineTestsTest, GoldfingersOfThePackageAreCheckedFlushWithTheEdge) {
    clsTestItem test = item(kGoldfingers, {{"Package_Keyword", "FAMILY"},
                                           {"Package_Value", "CARD_EDGE"},
                                           {"Maximum_Distance_From_Edge", "0.02"}});

    EXPECT_EQ(runBoardOutlineTests(test), 0);

    EXPECT_EQ(korven.trace(), R"(createFlattenGeometry(1) -> 0 [geom=100]
FlattenByAttrib(100, 6, "FAMILY", "CARD_EDGE", 0, 3, 0, 3) -> 0
FlattenByAttrib(100, 7, "FAMILY", "CARD_EDGE", 0, 3, 0, 3) -> 0
ComponentFlushWithOutline(100, 0.02, "Goldfinger Flush With Board Outline") -> 0
DeleteGeometry(100) -> 0
)");
    EXPECT_EQ(createdGeometries.added, Lines{"Goldfinger Flush With Board Outline|board.cc|1|100"});
}

TEST_F(BoardOutlineTestsTest, EtchOfEachStackupIsMeasuredFromOneOutline) {
    clsTestItem test = item(kEtch, {{"Minimum_Distance_From_Edge", "0.03"}});

    EXPECT_EQ(runBoardOutlineTests(test), 0);

    EXPECT_EQ(korven.trace(), R"(createFlattenGeometry(1) -> 0 [geom=100]
flattenByGraphicClass(100, -1, 16, 0) -> 0
createFlattenGeometry(1) -> 0 [geom=101]
flattenByGraphicClass(101, 4, 6, 1) -> 0
DistanceCheck2(100, 101, 0.03, 0.03, "Minimum Etch Edge Clearance To Board Outline", 0, 0, 0, 0, 0) -> 0
DeleteGeometry(101) -> 0
createFlattenGeometry(1) -> 0 [geom=102]
flattenByGraphicClass(102, 5, 6, 1) -> 0
DistanceCheck2(100, 102, 0.03, 0.03, "Minimum Etch Edge Clearance To Board Outline", 0, 0, 0, 0, 0) -> 0
DeleteGeometry(102) -> 0
DeleteGeometry(100) -> 0
)");
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

TEST_F(BoardOutlineTestsTest, FailingCheckEndsTheBoardAndTheNextBoardStillRuns) {
    openDocument({"a.cc", "b.cc"}, boardWithPinExtents());
    korven.queueCode("DistanceCheck2", -15);
    clsTestItem test = item(kVias, {{"Test_Surface", "Both"}});

    EXPECT_EQ(runBoardOutlineTests(test), -999);

    EXPECT_EQ(logLines(), (Lines{"   Test On a.cc : FAILED {dfmDistanceCheck {DFM Test Failed}}",
                                 "   Test On b.cc : SUCCEDED {Marginal: 0  Critical: 0}"}));
    // The first board stops after its Top pass; its geometries go after its result line.
    EXPECT_NE(
        korven.trace().find("DistanceCheck2(100, 101, 0.125, 0.125, \"Minimum Via Pad Edge Clearance To "
                            "Board Outline - Top\", 0, 0, 0, 0, 0) -> -15\n"
                            "DeleteGeometry(100) -> 0\n"
                            "DeleteGeometry(101) -> 0\n"
                            "createFlattenGeometry(2) -> 0 [geom=102]\n"),
        std::string::npos)
        << korven.trace();
}

TEST_F(BoardOutlineTestsTest, DrcLimitOnEveryBoardSucceedsWithResultOne) {
    openDocument({"a.cc", "b.cc"}, boardWithPinExtents());
    korven.setCode("ComponentFlushWithOutline", 1);
    clsTestItem test = item(kGoldfingers);

    EXPECT_EQ(runBoardOutlineTests(test), 1);

    EXPECT_EQ(logLines(),
              (Lines{"   Test On a.cc : SUCCEDED {dfmComponentFlushWithEdge {Too Many Errors}}",
                     "   Test On b.cc : SUCCEDED {dfmComponentFlushWithEdge {Too Many Errors}}"}));
}

TEST_F(BoardOutlineTestsTest, SaveOnFailSavesTheDesignAndTestsNoFurtherBoard) {
    openDocument({"a.cc", "b.cc"}, boardWithPinExtents());
    runnerSwitches().blnSaveOnFail = true;
    korven.queueCode("DistanceCheck2", -15);
    clsTestItem test = item(kFiducials);

    EXPECT_EQ(runBoardOutlineTests(test), -999);

    EXPECT_EQ(logLines(), Lines{"   Test On a.cc : FAILED {dfmDistanceCheck {DFM Test Failed}}"});
    std::string trace = korven.trace();
    EXPECT_TRUE(
        trace.ends_with("-> -15\n" + savedCopy() + "DeleteGeometry(100) -> 0\nDeleteGeometry(101) -> 0\n"))
        << trace;
    EXPECT_EQ(trace.find("createFlattenGeometry(2)"), std::string::npos);
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

TEST_F(BoardOutlineTestsTest, DebugModeKeepsEveryGeometry) {
    runnerSwitches().blnDebugOn = true;
    clsTestItem test = item(kTestpoints);

    EXPECT_EQ(runBoardOutlineTests(test), 0);

    EXPECT_EQ(korven.trace().find("DeleteGeometry"), std::string::npos) << korven.trace();
    EXPECT_EQ(createdGeometries.added.size(), 4u);
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
