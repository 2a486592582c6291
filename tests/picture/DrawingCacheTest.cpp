// The kept drawing of a view: what a pan reuses and what it draws again.

#include "picture/DrawingCache.h"
#include "engine/io/DesignFile.h"
#include "picture/LayerStyle.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace lumora::picture::test {
namespace {

// Tracks on two layers across a board, and a Critical marker in the middle.
engine::Design tracksAndMarker() {
    return engine::parseDesign(R"({
      "format": "korven-design", "version": 1, "name": "cache", "units": "Mils",
      "layers": [{"number": 1, "name": "TOP", "type": "signal", "electrical": 1, "physical": 1, "artwork": 1},
                 {"number": 2, "name": "BOTTOM", "type": "signal", "electrical": 2, "physical": 2, "artwork": 2}],
      "geometries": [{"number": 10, "name": "BOARD", "type": "board", "data": [
        {"line": [[0, 0], [400, 300]], "width": 7, "layer": "TOP", "class": "etch"},
        {"line": [[0, 300], [400, 0]], "width": 3, "layer": "BOTTOM", "class": "etch"},
        {"line": [[50, 150], [350, 150]], "width": 11, "layer": "TOP", "class": "etch"}]}],
      "files": [{"number": 1, "name": "board.cc", "geometry": "BOARD"}],
      "drcs": [{"file": 1, "at": [200, 150], "severity": "Critical", "check": "c", "measure": "distance",
                "measured": 1, "required": 2}]
    })");
}

const QSize kSize(160, 120);
const QTransform kView = QTransform::fromScale(0.4, -0.4) * QTransform::fromTranslate(0, 120);

// The first pixel where two drawings differ by more than rounding in the rasterizer can explain;
// "none" when they agree.
std::string firstDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return "sizes differ";
    }
    constexpr int kRounding = 3;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > kRounding || std::abs(qGreen(p) - qGreen(q)) > kRounding ||
                std::abs(qBlue(p) - qBlue(q)) > kRounding) {
                return std::to_string(x) + ", " + std::to_string(y);
            }
        }
    }
    return "none";
}

QImage freshDrawing(const BoardScene& scene, const ViewOptions& options, const QTransform& view) {
    DrawingCache cache;
    return cache.drawing(scene, options, view, kSize);
}

// Catches a pan that moves the kept picture the wrong way or draws the strips that come into
// sight in the wrong place: the result must be the drawing made afresh.
TEST(DrawingCache, APanByWholePixelsEndsAsAFreshDrawing) {
    const engine::Design design = tracksAndMarker();
    const BoardScene scene(design, 1);
    for (const QPoint shift : {QPoint(13, -7), QPoint(-21, 5), QPoint(0, 30)}) {
        DrawingCache cache;
        cache.drawing(scene, {}, kView, kSize);
        const QTransform panned = kView * QTransform::fromTranslate(shift.x(), shift.y());
        EXPECT_EQ(firstDifference(cache.drawing(scene, {}, panned, kSize), freshDrawing(scene, {}, panned)),
                  "none")
            << "shift " << shift.x() << ", " << shift.y();
    }
}

// Catches a kept drawing reused after a layer was switched off: the hidden layer would stay drawn.
TEST(DrawingCache, OtherLayersDrawEverythingAgain) {
    const engine::Design design = tracksAndMarker();
    const BoardScene scene(design, 1);
    DrawingCache cache;
    const QImage both = cache.drawing(scene, {}, kView, kSize);
    ViewOptions topOnly;
    topOnly.hiddenLayers = {2};
    const QImage& top = cache.drawing(scene, topOnly, kView, kSize);
    EXPECT_NE(firstDifference(top, both), "none");
    EXPECT_EQ(firstDifference(top, freshDrawing(scene, topOnly, kView)), "none");
}

// Catches markers baked into the kept drawing: a pan would drag them along and a waiver or a new
// choice would not show until the next zoom.
TEST(DrawingCache, TheKeptDrawingHoldsNoMarkers) {
    const engine::Design design = tracksAndMarker();
    const BoardScene scene(design, 1);
    const QImage drawn = freshDrawing(scene, {}, kView);
    const QRgb critical = severityColor("Critical").rgb();
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            ASSERT_NE(drawn.pixel(x, y), critical) << x << ", " << y;
        }
    }
}

} // namespace
} // namespace lumora::picture::test
