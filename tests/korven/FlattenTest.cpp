#include "tests/korven/KorvenFixture.h"

#include "korven/mdlTestLib.h"
#include "script/RunnerError.h"

#include <gtest/gtest.h>
#include <sstream>

namespace lumora::test {
namespace {

struct LayerSetup {
    std::string name;
    int32_t type = 0;
    int32_t electrical = 0;
    std::vector<std::pair<std::string, std::string>> attributes{};
    bool hole = false;
};

class FlattenTest : public KorvenFixture {
  protected:
    FlattenTest() {
        scriptOneBoard();
        connect();
    }

    // Puts the layers into the shared list as loadLayers would: slot n is layer n.
    static void useLayers(const std::vector<LayerSetup>& setups) {
        LayerList& layers = layerList();
        layers.arrLayers.clear();
        for (const LayerSetup& setup : setups) {
            clsCCLayer& layer = layers.arrLayers.emplace_back().emplace();
            if (setup.hole) {
                layer.setAsUnused();
                continue;
            }
            layer.lngNumber = static_cast<int32_t>(layers.arrLayers.size() - 1);
            layer.strName = setup.name;
            layer.lngType = setup.type;
            layer.lngElectrical = setup.electrical;
            for (const auto& [keyword, value] : setup.attributes) {
                layer.dictAttribs.store(keyword, value);
            }
        }
        layers.lngLayerCount = static_cast<int32_t>(layers.arrLayers.size()) + 1;
    }
};

TEST_F(FlattenTest, CreatedGeometryIsListedOnlyWhenAsked) {
    RecordingGeometryList list;
    setFrmDebugList(&list);
    int16_t listed = 0;
    int16_t unlisted = 0;

    createFlattenGeometry("Via Under Component_Vias", "board.cc", 1, listed, true);
    createFlattenGeometry("Via Soldermask", "board.cc", 1, unlisted, false);

    EXPECT_EQ(listed, 100);
    EXPECT_EQ(unlisted, 101);
    EXPECT_EQ(list.added, (std::vector<std::string>{"Via Under Component_Vias|board.cc|1|100"}));
    EXPECT_EQ(korven.trace(), "createFlattenGeometry(1) -> 0 [geom=100]\n"
                              "createFlattenGeometry(1) -> 0 [geom=101]\n");
}

TEST_F(FlattenTest, GeometryThatCannotBeCreatedRaisesTheWrappersFailure) {
    korven.setCode("createFlattenGeometry", -12);
    int16_t geomNum = 0;

    try {
        createFlattenGeometry("x", "board.cc", 1, geomNum, false);
        FAIL() << "no failure raised";
    } catch (const RunnerError& failure) {
        EXPECT_EQ(failure.source(), "dfmCreateFlattenGeometry");
        EXPECT_EQ(failure.description(), "Not Allowed");
    }
}

TEST_F(FlattenTest, LayerTypeSelectsUsedLayersOfThatType) {
    useLayers({{.name = "MASK_TOP", .type = 13},
               {.name = "GONE", .type = 13, .hole = true},
               {.name = "MASK_BOT", .type = 14},
               {.name = "MASK_TOP2", .type = 13}});

    EXPECT_EQ(flattenByLayerType(13, 50), 0);
    EXPECT_EQ(flattenByLayerTypeAndInsertType(14, 2, 51), 0);

    EXPECT_EQ(korven.trace(), "Flatten(50, 0, 0) -> 0\n"
                              "Flatten(50, 3, 0) -> 0\n"
                              "flattenByInsertType(51, 2, 2, 0, 3) -> 0\n");
}

TEST_F(FlattenTest, DftOutlineUsesOutlineLayersOfTheOutlineType) {
    useLayers({{.name = "OUT1", .type = 0, .attributes = {{"DFX_OUTLINE_TYPE", "Board"}}},
               {.name = "OUT2", .type = 0, .attributes = {{"DFX_OUTLINE_TYPE", "Keepout"}}},
               {.name = "OTHER", .type = 5, .attributes = {{"DFX_OUTLINE_TYPE", "Board"}}},
               {.name = "BARE", .type = 0},
               {.name = "CASE", .type = 0, .attributes = {{"DFX_OUTLINE_TYPE", "board"}}}});

    flattenDftOutline(50, "Board", -1, "", "", 0);
    flattenDftOutline(51, "Board", 3, "", "", 0);
    flattenDftOutline(52, "Board", 9999, "PKG", "EDGE", 0);
    flattenDftOutline(53, "Board", 3, "HEIGHT", "10", 2);
    flattenDftOutline(54, "Board", 9, "", "", 0); // testpoints are nothing special here

    EXPECT_EQ(korven.trace(), "Flatten(50, 0, 0) -> 0\n"
                              "flattenByInsertType(51, 0, 3, 0, 3) -> 0\n"
                              "FlattenByAttrib(52, 0, \"PKG\", \"EDGE\", 0, 3, 0, 3) -> 0\n"
                              "FlattenByAttrib(53, 0, \"HEIGHT\", \"10\", 2, 3, 0, 3) -> 0\n"
                              "flattenByInsertType(54, 0, 9, 0, 3) -> 0\n");
    EXPECT_EQ(layerList().arrLayers[3]->dictAttribs.count(), 0u) << "looking does not add the attribute";
}

TEST_F(FlattenTest, GraphicClassesSixteenAndEighteenTakeAllLayersAtOnce) {
    useLayers({{.name = "A"}, {.name = "B", .hole = true}, {.name = "C"}});

    flattenByGraphicClass(50, 16, true);
    flattenByGraphicClass(51, 18, false);
    flattenByGraphicClass(52, 6, true);

    EXPECT_EQ(korven.trace(), "flattenByGraphicClass(50, -1, 16, 1) -> 0\n"
                              "flattenByGraphicClass(51, -1, 18, 0) -> 0\n"
                              "flattenByGraphicClass(52, 0, 6, 1) -> 0\n"
                              "flattenByGraphicClass(52, 2, 6, 1) -> 0\n");
}

TEST_F(FlattenTest, LayerNameIsComparedExactly) {
    useLayers({{.name = "Etch Blocker Top"}, {.name = "etch blocker top"}, {.name = "Etch Blocker Top"}});

    flattenByLayerNameAndInsertType(2, "Etch Blocker Top", 50, "", "", 0);
    flattenByLayerNameAndInsertType(9999, "etch blocker top", 51, "", "", 0); // no gold fingers here
    flattenByLayerNameAndInsertType(2, "etch blocker top", 52, "PKG", "QFP", 5);

    EXPECT_EQ(korven.trace(), "flattenByInsertType(50, 0, 2, 0, 3) -> 0\n"
                              "flattenByInsertType(50, 2, 2, 0, 3) -> 0\n"
                              "flattenByInsertType(51, 1, 9999, 0, 3) -> 0\n"
                              "FlattenByAttrib(52, 1, \"PKG\", \"QFP\", 5, 2, 0, 3) -> 0\n");
}

TEST_F(FlattenTest, StackupFlattensLayersOfThatElectricalNumber) {
    useLayers(
        {{.name = "L1", .electrical = 1}, {.name = "L2", .electrical = 2}, {.name = "L2B", .electrical = 2}});

    flattenStackup(2, 50, 6, false);
    flattenStackup(1, 51, -1, true);

    EXPECT_EQ(korven.trace(), "flattenByGraphicClass(50, 1, 6, 0) -> 0\n"
                              "flattenByGraphicClass(50, 2, 6, 0) -> 0\n"
                              "Flatten(51, 0, 0) -> 0\n");
}

// A four-layer stack-up: top 1, inner 2 and 3, bottom 4, with the non-electrical layers around.
std::vector<LayerSetup> fourLayerBoard() {
    return {
        {.name = "TOP", .type = 1, .electrical = 1},           // 0: top
        {.name = "TOP_PLANE", .type = 17, .electrical = 1},    // 1: a plane, never
        {.name = "SILK_TOP", .type = 6},                       // 2: top
        {.name = "BOTH", .type = 29},                          // 3: top and bottom
        {.name = "INNER2", .type = 3, .electrical = 2},        // 4: stack-up 2
        {.name = "INNER_ALL", .type = 3},                      // 5: any inner stack-up
        {.name = "BOTTOM", .type = 2, .electrical = 4},        // 6: bottom
        {.name = "SILK_BOT", .type = 7},                       // 7: bottom
        {.name = "DRILL", .type = 4},                          // 8: every selection
        {.name = "GONE", .type = 4, .hole = true},             // 9: a hole
        {.name = "INNER3", .type = 3, .electrical = 3},        // 10: stack-up 3
        {.name = "BOTTOM_PLANE", .type = 19, .electrical = 4}, // 11: a plane, never
    };
}

std::string flattenedLayers(const std::string& trace) {
    std::string layers;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        std::size_t first = line.find(", ") + 2;
        layers += line.substr(first, line.find(',', first) - first) + " ";
    }
    return layers;
}

TEST_F(FlattenTest, InsertTypeOnBothSurfacesAndAnInnerStackup) {
    useLayers(fourLayerBoard());

    flattenByInsertType({.insertType = 3, .top = true, .stackup = 2, .bottom = true}, 50);

    EXPECT_EQ(flattenedLayers(korven.trace()), "0 2 3 4 5 6 7 8 ") << korven.trace();
    EXPECT_EQ(korven.calls()[0], "flattenByInsertType(50, 0, 3, 0, 3) -> 0");
}

TEST_F(FlattenTest, InsertTypeOnOneSurface) {
    useLayers(fourLayerBoard());

    flattenByInsertType({.insertType = 3, .top = true}, 50);
    EXPECT_EQ(flattenedLayers(korven.trace()), "0 2 3 8 ");
    korven.clearCalls();

    flattenByInsertType({.insertType = 3, .bottom = true}, 51);
    EXPECT_EQ(flattenedLayers(korven.trace()), "3 6 7 8 ");
}

TEST_F(FlattenTest, InsertTypeWithoutASurfaceStillTakesTypesFourAndNine) {
    useLayers(fourLayerBoard());

    flattenByInsertType({.insertType = 3}, 50);

    EXPECT_EQ(flattenedLayers(korven.trace()), "8 ");
}

TEST_F(FlattenTest, StackupOutsideTheInnerLayersIsNotApplied) {
    useLayers(fourLayerBoard());

    flattenByInsertType({.insertType = 3, .stackup = 4}, 50); // the bottom is not inner
    flattenByInsertType({.insertType = 3, .stackup = 1}, 51);
    flattenByInsertType({.insertType = 3, .stackup = 3}, 52);

    EXPECT_EQ(flattenedLayers(korven.trace()), "8 8 5 8 10 ");
}

TEST_F(FlattenTest, BottomOfADesignWithoutElectricalLayersIsNotGuessed) {
    useLayers({{.name = "DOC", .type = 5}});

    flattenByInsertType({.insertType = 3, .bottom = true}, 50);

    EXPECT_EQ(korven.trace(), "");
}

TEST_F(FlattenTest, InsertTypeSelectionOfTestpointsGoldFingersAndAttributes) {
    useLayers({{.name = "TOP", .type = 1, .electrical = 1}});

    flattenByInsertType({.insertType = 9, .top = true, .insertPointOnly = true}, 50);
    flattenByInsertType({.insertType = 9999, .top = true, .keyword = "PKG", .value = "EDGE"}, 51);
    flattenByInsertType(
        {.insertType = 2, .top = true, .surface = 1, .keyword = "PKG", .value = "QFP", .comparisonType = 5},
        52);
    flattenByInsertType({.insertType = 2, .top = true, .insertPointOnly = true, .surface = 2}, 53);

    EXPECT_EQ(korven.trace(), "FlattenByAttrib(50, 0, \"TEST\", \"\", 5, -1, 1, 3) -> 0\n"
                              "FlattenByAttrib(51, 0, \"PKG\", \"EDGE\", 0, 3, 0, 3) -> 0\n"
                              "FlattenByAttrib(52, 0, \"PKG\", \"QFP\", 5, 2, 0, 1) -> 0\n"
                              "flattenByInsertType(53, 0, 2, 1, 2) -> 0\n");
}

TEST_F(FlattenTest, WithoutUsedLayersNothingReachesKorven) {
    useLayers({{.name = "GONE", .type = 0, .hole = true}});
    layerList().arrLayers.emplace_back(); // and a slot without a layer

    flattenByLayerType(0, 50);
    flattenByLayerTypeAndInsertType(0, 2, 50);
    flattenDftOutline(50, "", -1, "", "", 0);
    flattenByGraphicClass(50, 6, true);
    flattenByLayerNameAndInsertType(2, "", 50, "", "", 0);
    flattenByInsertType({.insertType = 2, .top = true, .bottom = true}, 50);
    flattenStackup(0, 50, -1, false);

    EXPECT_EQ(korven.trace(), "");
}

TEST_F(FlattenTest, FailingWrapperEndsTheRoutineWithItsNameAndMessage) {
    useLayers({{.name = "A", .type = 13}, {.name = "B", .type = 13}, {.name = "C", .type = 13}});
    korven.queueCode("Flatten", 0);
    korven.queueCode("Flatten", -6);

    try {
        flattenByLayerType(13, 50);
        FAIL() << "no failure raised";
    } catch (const RunnerError& failure) {
        EXPECT_EQ(failure.source(), "dfmFlattenLayer");
        EXPECT_EQ(failure.description(), "Wrong Type");
    }
    EXPECT_EQ(korven.trace(), "Flatten(50, 0, 0) -> 0\n"
                              "Flatten(50, 1, 0) -> -6\n");
}

TEST_F(FlattenTest, BrokenCallReachesTheCallerWithFormADescription) {
    useLayers({{.name = "TOP", .type = 1, .electrical = 1}});
    korven.failOn("FlattenByAttrib", "Server gone");

    try {
        flattenByInsertType({.insertType = 9, .top = true}, 50);
        FAIL() << "no failure raised";
    } catch (const RunnerError& failure) {
        EXPECT_EQ(failure.source(), "dfmFlattenTestpoints");
        EXPECT_EQ(failure.description(), "Server gone(50,0,False)");
    }
}

} // namespace
} // namespace lumora::test
