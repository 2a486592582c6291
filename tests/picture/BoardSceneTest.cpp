// What the drawing of a board knows before it draws: the bounds of its items, placed as the engine
// places them, and of its markers.

#include "picture/BoardScene.h"
#include "engine/io/DesignFile.h"

#include <gtest/gtest.h>

namespace lumora::picture::test {
namespace {

// A 1000 x 500 outline, a track above it and a part turned by 90 degrees and mirrored at
// (1500, 300), whose 100 x 20 body then covers x 1480..1500, y 200..300; a marker of the board at
// (1200, -50), outside every item, and one of another file further out.
constexpr const char* kDesign = R"({
  "format": "korven-design", "version": 1, "name": "scene", "units": "Mils",
  "layers": [
    {"number": 1, "name": "TOP", "type": "signal", "electrical": 1, "physical": 1, "artwork": 1},
    {"number": 2, "name": "OUTLINE", "type": "board-outline"},
    {"number": 3, "name": "BODY_TOP", "type": "body-top", "mirror": "BODY_BOTTOM"},
    {"number": 4, "name": "BODY_BOTTOM", "type": "body-bottom"}
  ],
  "geometries": [
    {"number": 1, "name": "PART", "type": "component", "data": [
      {"polygon": [[0, 0], [100, 0], [100, 20], [0, 20]], "layer": "BODY_TOP"}]},
    {"number": 10, "name": "BOARD", "type": "board", "data": [
      {"polygon": [[0, 0], [1000, 0], [1000, 500], [0, 500]], "layer": "OUTLINE", "class": "board-outline"},
      {"line": [[100, 600], [200, 600]], "width": 10, "layer": "TOP", "class": "etch"},
      {"insert": "component", "geometry": "PART", "at": [1500, 300], "rotation": 90, "mirror": true, "ref": "U1"}]}
  ],
  "files": [{"number": 1, "name": "board.cc", "geometry": "BOARD"}, {"number": 2, "name": "other.cc", "geometry": "BOARD"}],
  "drcs": [
    {"file": 1, "at": [1200, -50], "severity": "Critical", "check": "c", "measure": "distance", "measured": 1, "required": 2},
    {"file": 2, "at": [9000, 9000], "severity": "Critical", "check": "c", "measure": "distance", "measured": 1, "required": 2}
  ]
})";

// Catches a turned or mirrored part placed elsewhere than the engine places it, a pen width left
// out of a track's bounds, or a marker (of this file or another) left out of, or added to, what a
// fit shows.
TEST(BoardScene, BoundsHoldItemsAsPlacedAndTheFilesMarkers) {
    const engine::Design design = engine::parseDesign(kDesign);
    const BoardScene scene(design, 1);
    ASSERT_EQ(scene.itemsIn(scene.bounds()).size(), 3u);
    EXPECT_EQ(scene.itemsIn(scene.bounds())[2].bounds, QRectF(QPointF(1480, 200), QPointF(1500, 300)));
    EXPECT_EQ(scene.itemsIn(scene.bounds())[1].bounds, QRectF(QPointF(95, 595), QPointF(205, 605)));
    EXPECT_EQ(scene.itemBounds(), QRectF(QPointF(0, 0), QPointF(1500, 605)));
    EXPECT_EQ(scene.bounds(), QRectF(QPointF(0, -50), QPointF(1500, 605)));
}

// Catches an area search that misses an item reaching into the area, or returns one outside it.
TEST(BoardScene, ItemsInAnAreaAreThoseMeetingIt) {
    const engine::Design design = engine::parseDesign(kDesign);
    const BoardScene scene(design, 1);
    const auto positions = [&](QRectF area) {
        std::vector<std::size_t> found;
        for (const SceneItem& item : scene.itemsIn(area)) {
            found.push_back(item.position);
        }
        return found;
    };
    EXPECT_EQ(positions(QRectF(QPointF(1490, 290), QPointF(1600, 400))), std::vector<std::size_t>{2});
    EXPECT_EQ(positions(QRectF(QPointF(150, 550), QPointF(160, 700))), std::vector<std::size_t>{1});
    EXPECT_EQ(positions(QRectF(QPointF(1100, 550), QPointF(1400, 700))), std::vector<std::size_t>{});
}

} // namespace
} // namespace lumora::picture::test
