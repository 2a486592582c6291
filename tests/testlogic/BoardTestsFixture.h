#pragma once

#include "tests/testlogic/TestLogicFixture.h"

#include <string>
#include <vector>

namespace lumora::test {

// One board, "board.cc" at position 1, over a layer list whose slots are
//   0 unnamed, 1 BODY_TOP, 2 BODY_BOT, 3 TOOLING_TOP, 4 TOOLING_BOT (DFx outlines),
//   5 "Package Body Top", 6 "Package Body Bottom", 7 MASK_TOP (type 13), 8 MASK_BOTTOM (type 14),
//   then one slot per electrical stack-up from 9 on: 9 TOP, 10 INNER, 11 BOTTOM by default.
// Created geometries are listed so that their names can be compared.
class BoardTestsFixture : public TestLogicFixture {
  protected:
    void SetUp() override {
        scriptBoards({"board.cc"});
        connectCounting();
        setFrmDebugList(&geometryList_);
        useStackups(3);
    }

    void useStackups(int16_t count) {
        korven.layers = {
            {},
            {.name = "BODY_TOP", .type = 0, .attributes = {{"DFX_OUTLINE_TYPE", "Comp Body Top"}}},
            {.name = "BODY_BOT", .type = 0, .attributes = {{"DFX_OUTLINE_TYPE", "Comp Body Bottom"}}},
            {.name = "TOOLING_TOP", .type = 0, .attributes = {{"DFX_OUTLINE_TYPE", "Tooling Keepout Top"}}},
            {.name = "TOOLING_BOT",
             .type = 0,
             .attributes = {{"DFX_OUTLINE_TYPE", "Tooling Keepout Bottom"}}},
            {.name = "Package Body Top", .type = 10},
            {.name = "Package Body Bottom", .type = 10},
            {.name = "MASK_TOP", .type = 13},
            {.name = "MASK_BOTTOM", .type = 14},
        };
        for (int16_t stackup = 1; stackup <= count; ++stackup) {
            bool top = stackup == 1;
            bool bottom = stackup == count && !top;
            korven.layers.push_back({.name = top      ? "TOP"
                                             : bottom ? "BOTTOM"
                                                      : "INNER",
                                     .type = static_cast<int16_t>(top      ? 1
                                                                  : bottom ? 2
                                                                           : 3),
                                     .electrical = stackup});
        }
        ASSERT_EQ(objKorven.loadLayers(), 0);
        korven.clearCalls();
    }

    // The names under which the Created Geometries window listed the geometries, in order.
    std::vector<std::string> createdNames() const {
        std::vector<std::string> names;
        for (const std::string& entry : geometryList_.added) {
            names.push_back(entry.substr(0, entry.find('|')));
        }
        return names;
    }

    // The calls from the first one that begins with start (whole lines) to the end.
    std::string traceFrom(const std::string& start) const {
        std::string trace = korven.trace();
        std::size_t at = trace.find("\n" + start);
        return at == std::string::npos ? "" : trace.substr(at + 1);
    }

    RecordingGeometryList geometryList_;
};

} // namespace lumora::test
