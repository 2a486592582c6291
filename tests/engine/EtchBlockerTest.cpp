#include "engine/geom/Areas.h"
#include "engine/ops/EtchBlockers.h"
#include "engine/ops/Flatten.h"
#include "tests/engine/EngineTestDesigns.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumora::engine::test {
namespace {

using ::testing::ElementsAre;

constexpr double kTolerance = 1e-6;

MATCHER_P4(IsBox, x0, y0, x1, y1, "") {
    return std::abs(arg[0] - x0) < kTolerance && std::abs(arg[1] - y0) < kTolerance &&
           std::abs(arg[2] - x1) < kTolerance && std::abs(arg[3] - y1) < kTolerance;
}

// The blockers of a layer where they land on the board.
std::vector<std::array<double, 4>> blockers(Design& design, int16_t layer) {
    const int16_t placed = createFlattenGeometry(design, 1);
    flatten(design, placed, {.layer = layer});
    std::vector<std::array<double, 4>> boxes;
    for (const Graphic& graphic : graphicsOf(design, placed)) {
        if (graphic.layer == layer) {
            const Box box = extentOf(graphic.shape).value();
            boxes.push_back(
                {box.min_corner().x(), box.min_corner().y(), box.max_corner().x(), box.max_corner().y()});
        }
    }
    return boxes;
}

Design withRow() {
    std::string text = kTinyBoard;
    text.insert(text.find("\"geometries\": [") + 15, R"(
    {"number": 20, "name": "FINE", "type": "padstack", "data": [{"pad": "rectangle", "size": [10, 40], "layer": "PAD_TOP"}]},
    {"number": 21, "name": "ROW", "type": "component", "data": [
      {"insert": "pin", "geometry": "FINE", "at": [0, 0], "ref": "1"},
      {"insert": "pin", "geometry": "FINE", "at": [20, 0], "ref": "2"},
      {"insert": "pin", "geometry": "FINE", "at": [40, 0], "ref": "3"},
      {"insert": "pin", "geometry": "FINE", "at": [70, 0], "ref": "4"}]},)");
    text.insert(text.find("{\"insert\": \"via\""),
                R"({"insert": "component", "geometry": "ROW", "at": [1000, 1000], "ref": "U5"}, )");
    return parseDesign(text);
}

TEST(EtchBlockerTest, BlocksTheGapsBetweenFinePitchNeighboursOnly) {
    Design design = withRow();
    const BlockerLayers layers = generateEtchBlockers(design, 25);

    EXPECT_THAT(blockers(design, layers.top),
                ElementsAre(IsBox(1005, 980, 1015, 1020), IsBox(1025, 980, 1035, 1020)));
    EXPECT_TRUE(blockers(design, layers.bottom).empty());
    EXPECT_EQ(design.layer(layers.top).name, "ETCH_BLOCKER_TOP");
    EXPECT_EQ(design.layer(layers.top).type, layer_type::EtchBlocker);
    EXPECT_EQ(design.layer(layers.top).mirror, layers.bottom);
}

TEST(EtchBlockerTest, MirroredPartsBlockOnTheBottomAndThruHolePinsNever) {
    Design design = tinyBoard();
    const BlockerLayers layers = generateEtchBlockers(design, 100);

    EXPECT_THAT(blockers(design, layers.top), ElementsAre(IsBox(960, 480, 1040, 520)))
        << "R1; J1 is thru-hole";
    EXPECT_THAT(blockers(design, layers.bottom), ElementsAre(IsBox(1980, 460, 2020, 540)))
        << "R2, turned upright";
}

// Blockers lay on the board on their own and were named by nothing: "Routes Between SMT Pads" said
// "GND, (unnamed)" of a route between U102's pads.
TEST(EtchBlockerTest, BlockersArePartOfTheirComponentAndNamedByIt) {
    Design design = withRow();
    const BlockerLayers layers = generateEtchBlockers(design, 25);
    const int16_t placed = createFlattenGeometry(design, 1);
    flatten(design, placed, {.layer = layers.top});
    EXPECT_THAT(originsOf(design, placed), ElementsAre("U5", "U5"));
}

TEST(EtchBlockerTest, EachCallMakesNewLayers) {
    Design design = tinyBoard();
    const BlockerLayers first = generateEtchBlockers(design, 100);
    const BlockerLayers second = generateEtchBlockers(design, 100);
    EXPECT_EQ(design.layer(second.top).name, "ETCH_BLOCKER_TOP 2");
    EXPECT_EQ(second.top, first.bottom + 1);
}

} // namespace
} // namespace lumora::engine::test
