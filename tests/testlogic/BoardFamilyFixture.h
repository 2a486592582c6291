#pragma once

#include "tests/testlogic/TestLogicFixture.h"

#include <string>
#include <utility>
#include <vector>

namespace lumora::test {

// Layers 0 and 1 hold the component-body outlines, 2 and 3 the soldermask, 4 and 5 the copper
// of a two-layer board.
inline std::vector<ScriptedLayer> twoLayerBoard() {
    return {
        {.name = "BODY_TOP", .type = 0, .attributes = {{"DFX_OUTLINE_TYPE", "Comp Body Top"}}},
        {.name = "BODY_BOT", .type = 0, .attributes = {{"DFX_OUTLINE_TYPE", "Comp Body Bottom"}}},
        {.name = "MASK_TOP", .type = 13},
        {.name = "MASK_BOT", .type = 14},
        {.name = "TOP", .type = 1, .electrical = 1},
        {.name = "BOTTOM", .type = 2, .electrical = 2},
    };
}

// The two-layer board with the gold-finger pin extents on layers 6 and 7.
inline std::vector<ScriptedLayer> twoLayerBoardWithPinExtents() {
    std::vector<ScriptedLayer> layers = twoLayerBoard();
    layers.push_back(
        {.name = "PINS_TOP", .type = 0, .attributes = {{"DFX_OUTLINE_TYPE", "Pin Extents Top"}}});
    layers.push_back(
        {.name = "PINS_BOT", .type = 0, .attributes = {{"DFX_OUTLINE_TYPE", "Pin Extents Bottom"}}});
    return layers;
}

// Slots 0 unnamed, 1 BODY_TOP, 2 BODY_BOT, 3 TOOLING_TOP, 4 TOOLING_BOT (DFx outlines),
// 5 "Package Body Top", 6 "Package Body Bottom", 7 MASK_TOP (type 13), 8 MASK_BOTTOM (type 14),
// then one copper layer per electrical stack-up from 9 on: TOP, INNER..., BOTTOM.
inline std::vector<ScriptedLayer> boardWithStackups(int16_t count) {
    std::vector<ScriptedLayer> layers{
        {},
        {.name = "BODY_TOP", .type = 0, .attributes = {{"DFX_OUTLINE_TYPE", "Comp Body Top"}}},
        {.name = "BODY_BOT", .type = 0, .attributes = {{"DFX_OUTLINE_TYPE", "Comp Body Bottom"}}},
        {.name = "TOOLING_TOP", .type = 0, .attributes = {{"DFX_OUTLINE_TYPE", "Tooling Keepout Top"}}},
        {.name = "TOOLING_BOT", .type = 0, .attributes = {{"DFX_OUTLINE_TYPE", "Tooling Keepout Bottom"}}},
        {.name = "Package Body Top", .type = 10},
        {.name = "Package Body Bottom", .type = 10},
        {.name = "MASK_TOP", .type = 13},
        {.name = "MASK_BOTTOM", .type = 14},
    };
    for (int16_t stackup = 1; stackup <= count; ++stackup) {
        bool top = stackup == 1;
        bool bottom = stackup == count && !top;
        layers.push_back({.name = top      ? "TOP"
                                  : bottom ? "BOTTOM"
                                           : "INNER",
                          .type = static_cast<int16_t>(top      ? 1
                                                       : bottom ? 2
                                                                : 3),
                          .electrical = stackup});
    }
    return layers;
}

// Via thresholds that tell the Top pass from the Bottom pass.
inline std::vector<std::pair<std::string, std::string>> viaPassThresholds(const char* soldermask,
                                                                          const char* sameNet = "No") {
    return {{"Marginal_Top", "0.03"},           {"Critical_Top", "0.02"},
            {"Marginal_Bottom", "0.04"},        {"Critical_Bottom", "0.01"},
            {"Include_Soldermask", soldermask}, {"No_Violation_If_On_Same_Net", sameNet}};
}

// Boards over a layer list loaded as a run loads it, and a Created Geometries window that records
// every geometry the tests enter.
class BoardFamilyFixture : public TestLogicFixture {
  protected:
    void openDocument(std::vector<std::string> boards, std::vector<ScriptedLayer> layers = twoLayerBoard()) {
        korven.files.clear();
        scriptBoards(std::move(boards));
        connectCounting();
        setFrmDebugList(&createdGeometries);
        useLayers(std::move(layers));
    }

    // Replaces the design's layers and loads them again, forgetting the calls that took.
    void useLayers(std::vector<ScriptedLayer> layers) {
        korven.layers = std::move(layers);
        ASSERT_EQ(objKorven.loadLayers(), 0);
        korven.clearCalls();
    }

    // The boards' soldermask geometries that the test asks for, built as the run builds them
    // before its tests (generic top 100 and bottom 101, then the kinds the test needs).
    void prepareSoldermask(clsTestItem& test) {
        objKorven.createSoldermaskGeom(test);
        korven.clearCalls();
        createdGeometries.added.clear();
    }

    std::string savedCopy() const {
        return "SaveDataFileAs(\"" + (dir_.path() / "error.cc").string() + "\") -> 0\n";
    }

    // The names under which the Created Geometries window listed the geometries, in order.
    std::vector<std::string> createdNames() const {
        std::vector<std::string> names;
        for (const std::string& entry : createdGeometries.added) {
            names.push_back(entry.substr(0, entry.find('|')));
        }
        return names;
    }

    // Steps taken once in the Top pass and again in the Bottom pass.
    static std::vector<std::string> topThenBottom(const std::vector<std::string>& onePass) {
        std::vector<std::string> both = onePass;
        both.insert(both.end(), onePass.begin(), onePass.end());
        return both;
    }

    // The calls from the first one that begins with start (whole lines) to the end.
    std::string traceFrom(const std::string& start) const {
        std::string trace = korven.trace();
        std::size_t at = trace.find("\n" + start);
        return at == std::string::npos ? "" : trace.substr(at + 1);
    }

    RecordingGeometryList createdGeometries;
};

} // namespace lumora::test
