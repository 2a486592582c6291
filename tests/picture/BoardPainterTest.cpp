// What the drawing puts where: level of detail by size on the screen, and markers at their place
// in their severity's colour.

#include "picture/BoardPainter.h"
#include "engine/io/DesignFile.h"
#include "picture/LayerStyle.h"
#include "picture/PictureExport.h"

#include <gtest/gtest.h>

#include <string>

namespace lumora::picture::test {
namespace {

// A diagonal track from (0, 0) to (100, 100), 2 wide: drawn in detail it leaves the corner of its
// bounds empty, drawn as a box it fills them.
engine::Design diagonalTrack() {
    return engine::parseDesign(R"({
      "format": "korven-design", "version": 1, "name": "lod", "units": "Mils",
      "layers": [{"number": 1, "name": "TOP", "type": "signal", "electrical": 1, "physical": 1, "artwork": 1}],
      "geometries": [{"number": 10, "name": "BOARD", "type": "board", "data": [
        {"line": [[0, 0], [100, 100]], "width": 2, "layer": "TOP", "class": "etch"}]}],
      "files": [{"number": 1, "name": "board.cc", "geometry": "BOARD"}]
    })");
}

// The scene drawn at a scale (pixels per unit) onto a background.
QImage drawnAt(const BoardScene& scene, double scale) {
    QImage image(120, 120, QImage::Format_ARGB32);
    image.fill(kBackground);
    QPainter painter(&image);
    painter.setTransform(QTransform::fromScale(scale, scale));
    paintScene(painter, scene, {}, scene.bounds());
    return image;
}

// Catches the level of detail turned round or its threshold moved: a board of a million items
// would then be drawn shape by shape, or a large item as a coarse box.
TEST(BoardPainter, ItemsSmallOnTheScreenAreBoxesLargeOnesShapes) {
    const engine::Design design = diagonalTrack();
    const BoardScene scene(design, 1);
    const auto at = [](const QImage& image, double x, double y, double scale) {
        return image.pixel(int(x * scale), int(y * scale));
    };
    // 102 units: 6.1 pixels at 0.06, below kDetailFromPixels; 102 pixels at 1.
    const QImage small = drawnAt(scene, 0.06);
    EXPECT_NE(at(small, 75, 25, 0.06), kBackground);
    const QImage large = drawnAt(scene, 1);
    EXPECT_EQ(at(large, 75, 25, 1), kBackground);
    EXPECT_NE(at(large, 50, 50, 1), kBackground);
}

// Catches a marker drawn off its place (an axis flipped, the fit off centre) or in the other
// severity's colour. The fit of 0..1000 x 0..500 into 400 x 300 with a margin of 20 is 0.36 pixels
// per unit about the centre (200, 150), y up: (250, 400) lands on (110, 96), (750, 100) on (290, 204).
TEST(BoardPainter, MarkersLieWhereTheyAreInTheirSeveritysColour) {
    const engine::Design design = engine::parseDesign(R"({
      "format": "korven-design", "version": 1, "name": "markers", "units": "Mils",
      "layers": [{"number": 1, "name": "OUTLINE", "type": "board-outline"}],
      "geometries": [{"number": 10, "name": "BOARD", "type": "board", "data": [
        {"polygon": [[0, 0], [1000, 0], [1000, 500], [0, 500]], "layer": "OUTLINE", "class": "board-outline"}]}],
      "files": [{"number": 1, "name": "board.cc", "geometry": "BOARD"}],
      "drcs": [
        {"file": 1, "at": [250, 400], "severity": "Critical", "check": "c", "measure": "distance", "measured": 1, "required": 2},
        {"file": 1, "at": [750, 100], "severity": "Marginal", "check": "c", "measure": "distance", "measured": 1, "required": 2}]
    })");
    const BoardScene scene(design, 1);
    const QImage drawn = renderFile(scene, QSize(400, 300));
    EXPECT_EQ(drawn.pixelColor(110, 96), severityColor("Critical"));
    EXPECT_EQ(drawn.pixelColor(290, 204), severityColor("Marginal"));
    for (const QPoint mirrored : {QPoint(110, 204), QPoint(290, 96)}) {
        EXPECT_NE(drawn.pixelColor(mirrored), severityColor("Critical"));
        EXPECT_NE(drawn.pixelColor(mirrored), severityColor("Marginal"));
    }
}

} // namespace
} // namespace lumora::picture::test
