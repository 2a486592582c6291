// A board drawn for the page: where its items land in the drawing's units, which way its arcs and
// areas turn, and the boxes that light a marker's items.

#include "report/BoardSvg.h"
#include "engine/io/DesignFile.h"
#include "engine/model/ItemArray.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace lumora::report::test {
namespace {

// A 1000 x 500 outline (100 drawing units a mil); a 20 x 10 pad of U1 pin 1 (net GND) at (100, 100);
// a quarter arc about (500, 250) from 0 to 90 degrees; two vias of net N1 apart, and a plane of N1.
constexpr const char* kBoard = R"({
  "format": "korven-design", "version": 1, "name": "svg", "units": "Mils",
  "layers": [
    {"number": 1, "name": "TOP", "type": "signal", "electrical": 1, "physical": 1, "artwork": 1},
    {"number": 2, "name": "OUTLINE", "type": "board-outline"},
    {"number": 3, "name": "N1_PLANE", "type": "plane", "electrical": 2, "physical": 2, "artwork": 2},
    {"number": 4, "name": "BODY_TOP", "type": "body-top", "mirror": "BODY_BOTTOM"},
    {"number": 5, "name": "BODY_BOTTOM", "type": "body-bottom"}
  ],
  "geometries": [
    {"number": 1, "name": "PIN", "type": "padstack", "data": [{"pad": "rectangle", "size": [20, 10], "layer": "TOP"}]},
    {"number": 2, "name": "PART", "type": "component", "data": [
      {"insert": "pin", "geometry": "PIN", "ref": "1"},
      {"polygon": [[-5, -5], [5, -5], [5, 5], [-5, 5]], "layer": "BODY_TOP"}]},
    {"number": 3, "name": "VIA", "type": "padstack", "data": [{"pad": "round", "size": 10, "layer": "TOP"}]},
    {"number": 10, "name": "BOARD", "type": "board", "data": [
      {"polygon": [[0, 0], [1000, 0], [1000, 500], [0, 500]], "layer": "OUTLINE", "class": "board-outline"},
      {"insert": "component", "geometry": "PART", "at": [100, 100], "ref": "U1", "pinNets": {"1": "GND"}},
      {"insert": "component", "geometry": "PART", "at": [900, 100], "mirror": true, "ref": "U2"},
      {"arc": [500, 250], "radius": 10, "start": 0, "sweep": 90, "width": 2, "layer": "TOP"},
      {"insert": "via", "geometry": "VIA", "at": [300, 400], "net": "N1"},
      {"insert": "via", "geometry": "VIA", "at": [700, 400], "net": "N1"},
      {"polygon": [[0, 0], [1000, 0], [1000, 500], [0, 500]], "layer": "N1_PLANE", "net": "N1"}]}
  ],
  "files": [{"number": 1, "name": "board.cc", "geometry": "BOARD"}]
})";

std::string layerGroup(const std::string& svg, int layer) {
    const std::string start = "<g class=\"layer\" data-layer=\"" + std::to_string(layer) + "\">";
    const auto from = svg.find(start);
    return from == std::string::npos ? std::string() : svg.substr(from, svg.find("</g>", from) - from);
}

// Catches the y axis left pointing up, the scale or origin of the grid off, an area written the
// other way round (which the nonzero rule would cut out of an overlapping one), an arc bulging
// to the wrong side, and a mirrored part's body left on its own layer.
TEST(BoardSvg, ItemsLandWhereTheyAreTurningTheRightWay) {
    const engine::Design design = engine::parseDesign(kBoard);
    const BoardSvg board = boardSvg(design, design.file(1), {}, {});
    EXPECT_EQ(board.grid.width, 100000);
    EXPECT_EQ(board.grid.height, 50000);
    // Pad corners (90, 95)..(110, 105): x 9000..11000, y (500 - 105) * 100 = 39500..40500, clockwise.
    EXPECT_NE(layerGroup(board.svg, 1).find("M9000 39500l2000 0l0 1000l-2000 0z"), std::string::npos)
        << board.svg;
    // From (510, 250) counter-clockwise to (500, 260): sweep flag 0 once y points down.
    EXPECT_NE(layerGroup(board.svg, 1).find("M51000 25000a1000 1000 0 0 0-1000-1000"), std::string::npos);
    // U2's body, mirrored, on BODY_BOTTOM; U1's stays on BODY_TOP.
    EXPECT_NE(layerGroup(board.svg, 5).find("M90500 40500"), std::string::npos);
    EXPECT_NE(layerGroup(board.svg, 4).find("M9500 39500"), std::string::npos);
    EXPECT_EQ(layerGroup(board.svg, 4).find("M90500"), std::string::npos);
    EXPECT_EQ(board.layers.front(), 3); // the plane under everything
    EXPECT_EQ(board.layers.back(), 2);  // the outline over it
}

// Catches a lit component drawn as the box of the whole board, a pin's box missing, a net's two
// vias joined into one box across the board, and the net's plane lit with it.
TEST(BoardSvg, ItemsMarkersNameHaveTheirBoxes) {
    const engine::Design design = engine::parseDesign(kBoard);
    const BoardSvg board =
        boardSvg(design, design.file(1), {}, {{"U1", "1", "GND"}, {"U1", "", ""}, {"", "", "N1"}});
    ASSERT_EQ(board.itemBoxes.count("U1-1 GND"), 1u);
    EXPECT_EQ(board.itemBoxes.at("U1-1 GND"), (std::vector<SvgBox>{{9000, 39500, 11000, 40500}}));
    EXPECT_EQ(board.itemBoxes.at("U1"), (std::vector<SvgBox>{{9000, 39500, 11000, 40500}}));
    EXPECT_EQ(board.itemBoxes.at("N1"),
              (std::vector<SvgBox>{{29500, 9500, 30500, 10500}, {69500, 9500, 70500, 10500}}));
}

// Catches the page drawing a flatten geometry in a file's place from its own items only: the items
// it shares with a repeated selection were left out, and the board came out empty.
TEST(BoardSvg, AGeometryInAFilesPlaceIsDrawnWithTheItemsItShares) {
    engine::Design design = engine::parseDesign(kBoard);
    auto shared = std::make_shared<engine::ItemArray>(1);
    shared->make(0, engine::Graphic{.shape = engine::Line{{100, 200}, {300, 200}, 10}, .layer = 1});
    engine::Geometry& flat = design.geometries[30];
    flat = {.number = 30, .name = "FLAT", .blockType = block_type::Flatten, .flattenFile = 1};
    flat.sharedData.push_back(std::move(shared));
    design.files.front().shownGeometry = 30;
    const BoardSvg board = boardSvg(design, design.file(1), {}, {});
    // The line with its round ends, 95..305 by 195..205 mils, fills the drawing's 100,000 across.
    EXPECT_EQ(board.grid.width, 100000);
    EXPECT_EQ(board.grid.height, 4762);
    EXPECT_EQ(board.layers, std::vector<int16_t>{1});
}

} // namespace
} // namespace lumora::report::test
