#include "engine/geom/Areas.h"
#include "engine/model/Refusal.h"
#include "engine/ops/DfxOutlines.h"
#include "engine/ops/Flatten.h"
#include "tests/engine/EngineTestDesigns.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumora::engine::test {
namespace {

using ::testing::ElementsAre;

constexpr double kTolerance = 1e-9;

int16_t outlineLayer(const Design& design, std::string_view outlineType) {
    const Layer* layer = design.findLayerByAttribute("DFX_OUTLINE_TYPE", outlineType);
    EXPECT_NE(layer, nullptr) << outlineType;
    return layer ? layer->number : int16_t{-100};
}

// The boxes of a component geometry's outlines on one DFx layer, as {min x, min y, max x, max y}.
std::vector<std::array<double, 4>> outlineBoxes(const Design& design, int16_t geomNum,
                                                std::string_view outlineType) {
    std::vector<std::array<double, 4>> boxes;
    const int16_t layer = outlineLayer(design, outlineType);
    for (const Graphic& graphic : graphicsOf(design, geomNum)) {
        if (graphic.layer == layer) {
            const Box box = extentOf(graphic.shape).value();
            boxes.push_back(
                {box.min_corner().x(), box.min_corner().y(), box.max_corner().x(), box.max_corner().y()});
        }
    }
    return boxes;
}

MATCHER_P4(IsBox, x0, y0, x1, y1, "") {
    return std::abs(arg[0] - x0) < kTolerance && std::abs(arg[1] - y0) < kTolerance &&
           std::abs(arg[2] - x1) < kTolerance && std::abs(arg[3] - y1) < kTolerance;
}

class DfxOutlineTest : public ::testing::Test {
  protected:
    Design design = tinyBoard();
    void SetUp() override { generateDfxOutlines(design); }
};

TEST_F(DfxOutlineTest, CreatesEightMirroredOutlineLayers) {
    std::vector<std::string> types;
    for (const auto& slot : design.layers) {
        if (slot && slot->type == layer_type::DfxOutline) {
            types.push_back(*slot->attributes.find("DFX_OUTLINE_TYPE"));
        }
    }
    EXPECT_THAT(types, ElementsAre("Comp Body Top", "Comp Body Bottom", "Pin Extents Top",
                                   "Pin Extents Bottom", "Pin/Body Extents Top", "Pin/Body Extents Bottom",
                                   "Tooling Keepout Top", "Tooling Keepout Bottom"));
    EXPECT_EQ(design.layer(outlineLayer(design, "Comp Body Top")).mirror,
              outlineLayer(design, "Comp Body Bottom"));
    EXPECT_EQ(design.layer(outlineLayer(design, "Comp Body Top")).name, "DFX_COMP_BODY_TOP");
}

TEST_F(DfxOutlineTest, SurfaceMountPartFromItsBodyAndPads) {
    EXPECT_THAT(outlineBoxes(design, 3, "Comp Body Top"), ElementsAre(IsBox(-80, -30, 80, 30)));
    EXPECT_THAT(outlineBoxes(design, 3, "Pin Extents Top"), ElementsAre(IsBox(-60, -20, 60, 20)));
    EXPECT_THAT(outlineBoxes(design, 3, "Pin/Body Extents Top"), ElementsAre(IsBox(-80, -30, 80, 30)));
    EXPECT_TRUE(outlineBoxes(design, 3, "Comp Body Bottom").empty());
    EXPECT_TRUE(outlineBoxes(design, 3, "Pin Extents Bottom").empty());
    EXPECT_TRUE(outlineBoxes(design, 3, "Tooling Keepout Top").empty());
}

TEST_F(DfxOutlineTest, BodilessThruHolePartUsesItsPadsOnBothSides) {
    EXPECT_THAT(outlineBoxes(design, 4, "Comp Body Top"), ElementsAre(IsBox(-30, -30, 130, 30)));
    EXPECT_THAT(outlineBoxes(design, 4, "Pin Extents Bottom"), ElementsAre(IsBox(-30, -30, 130, 30)));
    EXPECT_THAT(outlineBoxes(design, 4, "Pin/Body Extents Bottom"), ElementsAre(IsBox(-30, -30, 130, 30)));
    EXPECT_TRUE(outlineBoxes(design, 5, "Comp Body Top").empty()) << "padstacks get no outlines";
}

// A part's pads were united one by one into the growing area (8,000 pads took 25 s); united in
// pairs of pairs, every pad still counts: the first, the last, and the one the pairing leaves over.
TEST_F(DfxOutlineTest, AManyPadPartCoversEveryPadTheUnionPairsUp) {
    Geometry& part = design.geometry(4);
    const auto pin = std::ranges::find_if(part.data, [](const DataItem& item) {
        const auto* insert = std::get_if<Insert>(&item);
        return insert && insert->insertType == insert_type::Pin;
    });
    ASSERT_NE(pin, part.data.end());
    Insert extra = std::get<Insert>(*pin);
    for (int i = 0; i < 998; ++i) {
        extra.at = {200.0 + 50 * i, 0};
        part.data.emplace_back(extra);
    }
    extra.at = {-400, 500}; // the 1,001st pad: the one left over at every step of the pairing
    part.data.emplace_back(extra);
    createDfxOutline(design, 4, dfx_algorithm::PinExtents, true);
    EXPECT_THAT(outlineBoxes(design, 4, "Pin Extents Top"), ElementsAre(IsBox(-430, -30, 50080, 530)));
    EXPECT_THAT(outlineBoxes(design, 4, "Pin Extents Bottom"), ElementsAre(IsBox(-430, -30, 50080, 530)));
}

TEST_F(DfxOutlineTest, MirroredComponentsBodyFlattensFromTheBottomOutlineLayer) {
    const int16_t bodies = createFlattenGeometry(design, 1);
    flatten(design, bodies,
            {.layer = outlineLayer(design, "Comp Body Bottom"), .insertType = insert_type::Component});
    ASSERT_THAT(originsOf(design, bodies), ElementsAre("R2"));
    const Box box = extentOf(graphicsOf(design, bodies)[0].shape).value();
    EXPECT_NEAR(box.min_corner().x(), 1970, kTolerance);
    EXPECT_NEAR(box.max_corner().y(), 580, kTolerance);
}

TEST_F(DfxOutlineTest, AgainKeepsWhatIsThereAndOverwriteReplacesIt) {
    const int16_t bodyTop = outlineLayer(design, "Comp Body Top");
    Geometry& chip = design.geometry(3);
    std::erase_if(chip.data, [&](const DataItem& item) {
        const auto* graphic = std::get_if<Graphic>(&item);
        return graphic && graphic->layer == bodyTop;
    });
    chip.data.emplace_back(Graphic{.shape = Polygon{{{-5, -5}, {5, -5}, {5, 5}}, {}}, .layer = bodyTop});
    const std::size_t layers = design.layers.size();

    generateDfxOutlines(design);
    EXPECT_THAT(outlineBoxes(design, 3, "Comp Body Top"), ElementsAre(IsBox(-5, -5, 5, 5)));
    EXPECT_EQ(design.layers.size(), layers);

    createDfxOutline(design, 3, dfx_algorithm::CompBody, true);
    EXPECT_THAT(outlineBoxes(design, 3, "Comp Body Top"), ElementsAre(IsBox(-80, -30, 80, 30)));
}

TEST_F(DfxOutlineTest, RefusesNonComponentsAndUnknownAlgorithms) {
    auto codeOf = [&](int16_t geomNum, int16_t algorithm) {
        try {
            createDfxOutline(design, geomNum, algorithm, true);
        } catch (const Refusal& failure) {
            return failure.code();
        }
        return rc::Ok;
    };
    EXPECT_EQ(codeOf(1, dfx_algorithm::All), rc::WrongType);
    EXPECT_EQ(codeOf(3, 5), rc::ValueOutOfRange);
    EXPECT_EQ(codeOf(99, dfx_algorithm::All), rc::ItemNotFound);
    EXPECT_EQ(codeOf(3, dfx_algorithm::PinExtents), rc::Ok);
}

TEST(DfxToolingKeepoutTest, ComesFromThePartsPlacementKeepoutDrawing) {
    std::string text = kTinyBoard;
    text.insert(text.find("{\"number\": 12, \"name\": \"SSB\""),
                R"({"number": 13, "name": "NOZZLE", "type": "placement-keepout-top"}, )");
    text.insert(
        text.find("{\"line\": [[-80, 40]"),
        R"({"polygon": [[-100, -50], [100, -50], [100, 50], [-100, 50]], "holes": [[[-90, -40], [90, -40], [90, 40], [-90, 40]]], "layer": "NOZZLE"}, )");
    Design design = parseDesign(text);
    generateDfxOutlines(design);

    const auto outlines = graphicsOf(design, 3);
    const int16_t keepout = outlineLayer(design, "Tooling Keepout Top");
    auto found = std::ranges::find(outlines, keepout, &Graphic::layer);
    ASSERT_NE(found, outlines.end());
    EXPECT_NEAR(bg::area(areaOf(found->shape)), 200 * 100 - 180 * 80, 1e-6) << "the ring keeps its hole";
}

} // namespace
} // namespace lumora::engine::test
