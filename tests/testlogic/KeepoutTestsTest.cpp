#include "testlogic/mdlTestLogic.h"
#include "tests/support/GoldenFile.h"
#include "tests/testlogic/TestLogicFixture.h"

using namespace lumora;
using Lines = std::vector<std::string>;

namespace {

// One board with three electrical stack-ups and the component-body outline layers.
class KeepoutTestsTest : public test::TestLogicFixture {
  protected:
    void SetUp() override {
        scriptBoards({"board.cc"});
        korven.layers = {
            {},
            {.name = "TOP", .type = 1, .electrical = 1},
            {.name = "INNER", .type = 3, .electrical = 2},
            {.name = "BOTTOM", .type = 2, .electrical = 3},
            {.name = "BODY_TOP", .type = 0, .attributes = {{"DFX_OUTLINE_TYPE", "Comp Body Top"}}},
            {.name = "BODY_BOT", .type = 0, .attributes = {{"DFX_OUTLINE_TYPE", "Comp Body Bottom"}}},
        };
        connectCounting();
        ASSERT_EQ(objKorven.loadLayers(), 0);
        korven.clearCalls();
    }

    // Every switch off but the ones named.
    std::vector<std::pair<std::string, std::string>> onlySwitches(std::vector<std::string> on) {
        std::vector<std::pair<std::string, std::string>> parameters;
        for (const char* name : {"Component_Packages", "Component_Pins", "Vias", "Etches", "Fiducials",
                                 "Tooling_Holes", "Board_Outline", "Panel_Outline"}) {
            bool wanted = std::ranges::find(on, name) != on.end();
            parameters.emplace_back(name, wanted ? "Yes" : "No");
        }
        return parameters;
    }
};

} // namespace

TEST_F(KeepoutTestsTest, ToolingHoleKeepoutMeasuresBothSurfacesAgainstEveryFeature) {
    clsTestItem test = item("Board Tooling Hole Keepout");
    EXPECT_EQ(runKeepoutTests(test), 0);
    EXPECT_GOLDEN(korven.trace(), "keepout/tooling-hole");
    EXPECT_EQ(logLines(), (Lines{"   Test On board.cc : SUCCEDED {Marginal: 0  Critical: 0}"}));
}

TEST_F(KeepoutTestsTest, FiducialKeepoutLooksThroughTheChosenStackupsOfItsSurface) {
    clsTestItem top = item("Board Fiducial Keepout", onlySwitches({"Etches"}));
    top.dictProperties().store("Test_Surface", "Top");
    top.dictProperties().store("Look_Through_n_Electrical_Stackups", "1");
    EXPECT_EQ(runKeepoutTests(top), 0);
    EXPECT_GOLDEN(korven.trace(), "keepout/fiducial-top-through-one-stackup");

    korven.clearCalls();
    clsTestItem bottom = item("Board Fiducial Keepout", onlySwitches({"Etches", "Fiducials"}));
    bottom.dictProperties().store("Test_Surface", "Bottom");
    bottom.dictProperties().store("Look_Through_n_Electrical_Stackups", "0");
    EXPECT_EQ(runKeepoutTests(bottom), 0);
    EXPECT_GOLDEN(korven.trace(), "keepout/fiducial-bottom-with-fiducials");
}

TEST_F(KeepoutTestsTest, FiducialKeepoutWithAnUnknownSurfaceRunsNoPass) {
    clsTestItem test = item("Board Fiducial Keepout", {{"Test_Surface", "both"}});
    EXPECT_EQ(runKeepoutTests(test), 0);
    EXPECT_EQ(korven.trace(), "");
    EXPECT_EQ(logLines(), (Lines{"   Test On board.cc : SUCCEDED {Marginal: 0  Critical: 0}"}));
}

TEST_F(KeepoutTestsTest, CustomKeepoutsMeasureBodiesExtentsAndPinsOfTheOtherSide) {
    clsTestItem test = item("Custom Keepouts", {{"Attribute_Keyword", "KEEPOUT"}, {"Attribute_Value", "1"}});
    for (auto& [name, value] : onlySwitches({"Vias"})) {
        test.dictProperties().store(name, value);
    }
    EXPECT_EQ(runKeepoutTests(test), 0);
    std::string trace = korven.trace();
    std::string firstPass = trace.substr(0, trace.find("createFlattenGeometry(1) -> 0 [geom=104]"));
    EXPECT_GOLDEN(firstPass, "keepout/custom-first-pass");
    EXPECT_NE(trace.find("DistanceCheck2(107, 105, 0.02, 0.01, \"Custom Keepouts_Top\""), std::string::npos)
        << trace;
}

TEST_F(KeepoutTestsTest, CustomKeepoutsWithoutAnAttributeFailEveryBoard) {
    korven.files.clear();
    scriptBoards({"a.cc", "b.cc"});
    connectCounting();
    clsTestItem test = item("Custom Keepouts");
    EXPECT_EQ(runKeepoutTests(test), -999);
    const std::string failure =
        " : FAILED {Invalid Parameters {Parameters Attribute_Keyword and/or Attribute_Value are not valid.}}";
    EXPECT_EQ(logLines(), (Lines{"   Test On a.cc" + failure, "   Test On b.cc" + failure}));
    EXPECT_EQ(korven.trace(), "");
}

TEST_F(KeepoutTestsTest, PanelKeepoutsNeedAPanel) {
    clsTestItem test = item("Panel Fiducial Keepout");
    EXPECT_EQ(runKeepoutTests(test), -999);
    EXPECT_EQ(logLines(), (Lines{"   Test On  : FAILED {Panel Tests {No visible panels}}"}));
}

TEST_F(KeepoutTestsTest, PanelKeepoutsWalkThePanels) {
    scriptPanels({"panel.cc"});
    connectCounting();
    clsTestItem test = item("Panel Tooling Hole Keepout", onlySwitches({}));
    EXPECT_EQ(runKeepoutTests(test), 0);
    EXPECT_EQ(logLines(), (Lines{"   Test On panel.cc : SUCCEDED {Marginal: 0  Critical: 0}"}));
    EXPECT_EQ(korven.trace().substr(0, 26), "createFlattenGeometry(2) -");
}

TEST_F(KeepoutTestsTest, TheDrcLimitIsAFailureInThisFamily) {
    korven.setCode("DistanceCheck2", 1);
    clsTestItem test = item("Board Tooling Hole Keepout");
    EXPECT_EQ(runKeepoutTests(test), -999);
    EXPECT_EQ(logLines(), (Lines{"   Test On board.cc : FAILED {dfmDistanceCheck {Too Many Errors}}"}));
    // The failing pass ends the board; its two geometries go with the board's clean-up.
    EXPECT_NE(korven.trace().find("DeleteGeometry(100) -> 0\nDeleteGeometry(101) -> 0\n"), std::string::npos);
}

TEST_F(KeepoutTestsTest, SaveOnFailSavesTheDesignAndStopsAtTheFirstFailure) {
    korven.files.clear();
    scriptBoards({"a.cc", "b.cc"});
    connectCounting();
    runWith({.blnSaveOnFail = true});
    korven.setCode("DistanceCheck2", -17);
    clsTestItem test = item("Board Tooling Hole Keepout");
    EXPECT_EQ(runKeepoutTests(test), -999);
    ASSERT_EQ(logLines().size(), 1u);
    EXPECT_NE(korven.trace().find("SaveDataFileAs(\""), std::string::npos);
    EXPECT_NE(korven.trace().find("/error.cc\")"), std::string::npos);
    EXPECT_EQ(korven.trace().find("createFlattenGeometry(2)"), std::string::npos);
}

TEST_F(KeepoutTestsTest, AnAbsentLookThroughCountReadsAsZero) {
    scriptPanels({"panel.cc"});
    connectCounting();
    clsTestItem test = item("Panel Fiducial Keepout", onlySwitches({"Etches"}));
    ASSERT_FALSE(test.dictProperties().exists("Look_Through_n_Electrical_Stackups"));
    EXPECT_EQ(runKeepoutTests(test), 0);
    EXPECT_NE(korven.trace().find("flattenByGraphicClass(101, 1, 6, 0) -> 0\nDistanceCheck2"),
              std::string::npos)
        << korven.trace();

    clsTestItem given = item("Panel Fiducial Keepout", {{"Look_Through_n_Electrical_Stackups", ""}});
    EXPECT_EQ(runKeepoutTests(given), -999);
    EXPECT_EQ(logLines().back(), "   Test On panel.cc : FAILED {runKeepoutTests {Type mismatch}}");
}
