#include "engine/geom/Areas.h"
#include "engine/ops/Flatten.h"
#include "engine/ops/Polygons.h"
#include "tests/engine/EngineTestDesigns.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumora::engine::test {
namespace {

using ::testing::ElementsAre;

Graphic polygonItem(Ring outline, int16_t layer, std::string component) {
    Graphic graphic;
    graphic.shape = Polygon{std::move(outline), {}};
    graphic.layer = layer;
    graphic.origin = FlatOrigin{.component = std::move(component)};
    return graphic;
}

Ring square(double x, double y, double size) {
    return {{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}};
}

double areaOfItem(const Graphic& graphic) {
    return bg::area(areaOf(graphic.shape));
}

class SolderMaskTest : public ::testing::Test {
  protected:
    Design design = tinyBoard();
    int16_t mask = createFlattenGeometry(design, 1);
    int16_t copper = createFlattenGeometry(design, 1);

    void SetUp() override {
        flatten(design, copper, {.layer = layerNamed(design, "PAD_TOP"), .insertType = insert_type::Pin});
        flatten(design, mask, {.layer = layerNamed(design, "SMT")});
    }
};

TEST_F(SolderMaskTest, OpenPadsStayWholeAndCoveredPadsGo) {
    processSolderMask(design, mask, copper);

    EXPECT_THAT(originsOf(design, copper), ElementsAre("R1/1", "R1/2")) << "J1's pins have no mask opening";
    EXPECT_TRUE(std::holds_alternative<Pad>(graphicsOf(design, copper)[0].shape));
}

TEST_F(SolderMaskTest, PartlyOpenPadIsCutToTheOpening) {
    // R1's pin 2 covers x 1040..1060, y 480..520: its own opening goes, and a new one uncovers
    // only its left half.
    std::erase_if(design.geometry(mask).data,
                  [](const DataItem& item) { return std::get<Graphic>(item).origin->pin == "2"; });
    design.geometry(mask).data.emplace_back(
        polygonItem({{1000, 400}, {1050, 400}, {1050, 600}, {1000, 600}}, layerNamed(design, "SMT"), ""));

    processSolderMask(design, mask, copper);

    const auto kept = graphicsOf(design, copper);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_TRUE(std::holds_alternative<Pad>(kept[0].shape));
    EXPECT_EQ(kept[1].origin->pin, "2");
    ASSERT_TRUE(std::holds_alternative<Polygon>(kept[1].shape));
    EXPECT_NEAR(areaOfItem(kept[1]), 10 * 40, 1e-6);
    EXPECT_EQ(kept[1].net, "GND") << "the cut keeps what the item was";
    EXPECT_EQ(kept[1].layer, layerNamed(design, "PAD_TOP"));
}

TEST_F(SolderMaskTest, InsertPointsStayWhenInAnOpening) {
    const int16_t points = createFlattenGeometry(design, 1);
    flatten(
        design, points,
        {.layer = layerNamed(design, "PAD_TOP"), .insertType = insert_type::Pin, .insertPointOnly = true});
    processSolderMask(design, mask, points);
    EXPECT_THAT(originsOf(design, points), ElementsAre("R1/1", "R1/2"));
}

TEST(CombinePoliesTest, OverlappingItemsBecomeOnePolygonAndLoneItemsStay) {
    Design design = tinyBoard();
    const int16_t geometry = createFlattenGeometry(design, 1);
    auto& data = design.geometry(geometry).data;
    data.emplace_back(polygonItem(square(0, 0, 10), 6, "A"));
    data.emplace_back(polygonItem(square(100, 100, 10), 6, "LONE"));
    data.emplace_back(polygonItem(square(5, 5, 10), 6, "B"));
    data.emplace_back(polygonItem(square(15, 5, 5), 6, "C")); // shares the edge x = 15 with B

    combinePolies(design, geometry);

    EXPECT_THAT(originsOf(design, geometry), ElementsAre("A", "LONE"));
    const auto items = graphicsOf(design, geometry);
    EXPECT_NEAR(areaOfItem(items[0]), 100 + 100 - 25 + 25, 1e-6);
    EXPECT_EQ(std::get<Polygon>(items[1].shape).outline, square(100, 100, 10));
}

} // namespace
} // namespace lumora::engine::test
