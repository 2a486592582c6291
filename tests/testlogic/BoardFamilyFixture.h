#pragma once

#include "korven/RunnerSwitches.h"
#include "log/ProgramFolder.h"
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

// Boards with the layers the board families flatten, loaded as a run loads them, and a Created
// Geometries window that records every geometry the tests enter.
class BoardFamilyFixture : public TestLogicFixture {
  protected:
    void openDocument(std::vector<std::string> boards, std::vector<ScriptedLayer> layers = twoLayerBoard()) {
        korven.files.clear();
        scriptBoards(std::move(boards));
        korven.layers = std::move(layers);
        connectCounting();
        ASSERT_EQ(objKorven.loadLayers(), 0);
        setFrmDebugList(&createdGeometries);
        korven.clearCalls();
    }

    // The boards' soldermask geometries that the test asks for, built as the run builds them
    // before its tests (generic top 100 and bottom 101, then the kinds the test needs).
    void prepareSoldermask(clsTestItem& test) {
        objKorven.createSoldermaskGeom(test);
        korven.clearCalls();
        createdGeometries.added.clear();
    }

    static std::string savedCopy() {
        return "SaveDataFileAs(\"" + (programFolder() / "error.cc").string() + "\") -> 0\n";
    }

    RecordingGeometryList createdGeometries;
};

} // namespace lumora::test
