// Which marker a click on the board points at.

#include "picture/MarkerHits.h"
#include "engine/io/DesignFile.h"

#include <gtest/gtest.h>

namespace lumora::picture::test {
namespace {

// A board with a Marginal and a Critical marker at the same place (100, 100), a Marginal one at
// (200, 100), and a marker of another file at (150, 100).
constexpr const char* kDesign = R"({
  "format": "korven-design", "version": 1, "name": "hits", "units": "Mils",
  "layers": [{"number": 1, "name": "TOP", "type": "signal", "electrical": 1, "physical": 1, "artwork": 1}],
  "geometries": [{"number": 10, "name": "BOARD", "type": "board", "data": [
    {"line": [[0, 0], [300, 300]], "width": 2, "layer": "TOP", "class": "etch"}]}],
  "files": [{"number": 1, "name": "board.cc", "geometry": "BOARD"}, {"number": 2, "name": "other.cc", "geometry": "BOARD"}],
  "drcs": [
    {"file": 1, "at": [100, 100], "severity": "Marginal", "check": "c", "measure": "distance", "measured": 1, "required": 2},
    {"file": 1, "at": [100, 100], "severity": "Critical", "check": "c", "measure": "distance", "measured": 1, "required": 2},
    {"file": 1, "at": [200, 100], "severity": "Marginal", "check": "c", "measure": "distance", "measured": 1, "required": 2},
    {"file": 2, "at": [150, 100], "severity": "Critical", "check": "c", "measure": "distance", "measured": 1, "required": 2}
  ]
})";

// One pixel a unit, y up as the board view draws.
const QTransform kView = QTransform::fromScale(1, -1) * QTransform::fromTranslate(0, 400);

QPointF pixelOf(double x, double y) {
    return kView.map(QPointF(x, y));
}

// Catches a click that chooses a marker hidden beneath another (the Marginal under a Critical), a
// marker of another file, or one farther than a marker's ring.
TEST(MarkerHits, TheNearestMarkerDrawnOnTopWithinItsRing) {
    const engine::Design design = engine::parseDesign(kDesign);
    const BoardScene scene(design, 1);
    ViewOptions options;
    EXPECT_EQ(markerAt(scene, options, kView, pixelOf(102, 103)), std::optional<std::size_t>(1));
    EXPECT_EQ(markerAt(scene, options, kView, pixelOf(196, 100)), std::optional<std::size_t>(2));
    EXPECT_EQ(markerAt(scene, options, kView, pixelOf(150, 100)), std::nullopt);
    EXPECT_EQ(markerAt(scene, options, kView, pixelOf(100 + kMarkerRadius, 100)), std::nullopt);

    options.waivedMarkers = {1}; // a waived Critical lies beneath the Marginal
    EXPECT_EQ(markerAt(scene, options, kView, pixelOf(100, 100)), std::optional<std::size_t>(0));
    options.markers = false;
    EXPECT_EQ(markerAt(scene, options, kView, pixelOf(100, 100)), std::nullopt);
}

} // namespace
} // namespace lumora::picture::test
