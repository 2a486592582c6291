#include "engine/tools/SyntheticDesign.h"
#include "engine/io/DesignFile.h"
#include "tests/engine/CheckTestSupport.h"
#include "tests/engine/EngineTestDesigns.h"
#include "tests/support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace lumora::engine::test {
namespace {

using ::testing::AllOf;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::Ge;
using ::testing::IsEmpty;
using ::testing::Le;
using ::testing::Not;
using ::testing::UnorderedElementsAre;

const Geometry& boardOf(const Design& design) {
    return design.geometry(design.files.at(0).geometry);
}

std::vector<Insert> insertsOf(const Design& design, int16_t insertType) {
    std::vector<Insert> found;
    for (const DataItem& item : boardOf(design).data) {
        const auto* insert = std::get_if<Insert>(&item);
        if (insert && insert->insertType == insertType) {
            found.push_back(*insert);
        }
    }
    return found;
}

std::vector<Graphic> boardGraphics(const Design& design) {
    return graphicsOf(design, design.files.at(0).geometry);
}

// The far corner of the outline, which starts at the origin.
Point outlineCorner(const Design& design) {
    Point corner;
    for (const Graphic& graphic : boardGraphics(design)) {
        if (graphic.graphicClass == graphic_class::BoardOutline) {
            const Line& line = std::get<Line>(graphic.shape);
            corner = {std::max({corner.x, line.from.x, line.to.x}),
                      std::max({corner.y, line.from.y, line.to.y})};
        }
    }
    return corner;
}

TEST(SyntheticDesignTest, TheSameOptionsGiveTheSameDesignAndAnotherSeedAnotherOne) {
    const Design first = makeSyntheticDesign({.components = 30, .seed = 7, .flawEvery = 5});
    EXPECT_EQ(first, makeSyntheticDesign({.components = 30, .seed = 7, .flawEvery = 5}));
    EXPECT_NE(first, makeSyntheticDesign({.components = 30, .seed = 8, .flawEvery = 5}));
}

TEST(SyntheticDesignTest, HoldsTheComponentsViasTestpointsAndFlawsAskedFor) {
    const Design design = makeSyntheticDesign({.components = 40, .seed = 3, .flawEvery = 10});

    const std::vector<Insert> components = insertsOf(design, insert_type::Component);
    ASSERT_EQ(components.size(), 40u);
    std::set<std::string> refs;
    for (const Insert& component : components) {
        refs.insert(component.refName.str());
        EXPECT_TRUE(component.pinNets.contains("1")) << component.refName;
    }
    EXPECT_EQ(refs.size(), 40u) << "reference names repeat";

    // Two vias per component, on the net of its pin 1; every fourth cell from the first has a
    // testpoint.
    const std::vector<Insert> vias = insertsOf(design, insert_type::Via);
    ASSERT_EQ(vias.size(), 80u);
    for (std::size_t i = 0; i < components.size(); ++i) {
        const std::string& pin1 = components[i].pinNets.at("1");
        EXPECT_EQ(vias[2 * i].net, pin1) << components[i].refName;
        EXPECT_EQ(vias[2 * i + 1].net, pin1) << components[i].refName;
    }
    const std::vector<Insert> testpoints = insertsOf(design, insert_type::Testpoint);
    ASSERT_EQ(testpoints.size(), 10u);
    EXPECT_EQ(testpoints.front().refName, "TP1");
    EXPECT_EQ(testpoints.back().refName, "TP10");
    for (std::size_t k = 0; k < testpoints.size(); ++k) {
        EXPECT_TRUE(testpoints[k].attributes.has("TEST")) << testpoints[k].refName;
        EXPECT_EQ(testpoints[k].net, components[4 * k].pinNets.at("1")) << testpoints[k].refName;
    }

    std::multiset<std::string> stubs;
    std::set<std::string> etchLayers;
    std::map<std::string, int> tiles;
    for (const Graphic& graphic : boardGraphics(design)) {
        if (graphic.graphicClass != graphic_class::Etch) {
            continue;
        }
        const std::string layer = design.layer(graphic.layer).name;
        etchLayers.insert(layer);
        if (graphic.net.view().starts_with("STUB")) {
            stubs.insert(graphic.net.str());
        }
        if (std::holds_alternative<Polygon>(graphic.shape)) {
            ++tiles[layer + " " + graphic.net.str()];
        }
    }
    EXPECT_THAT(stubs, UnorderedElementsAre("STUB1", "STUB2", "STUB3", "STUB4"));
    EXPECT_THAT(etchLayers, UnorderedElementsAre("TOP", "GND", "PWR", "BOTTOM"));
    EXPECT_THAT(tiles, ElementsAre(std::pair<const std::string, int>("GND GND", 40),
                                   std::pair<const std::string, int>("PWR VCC", 40)));
}

TEST(SyntheticDesignTest, TheOutlineGrowsWithTheContentAndHoldsIt) {
    const Design small = makeSyntheticDesign({.components = 100});
    const Design large = makeSyntheticDesign({.components = 400});
    const Point smallCorner = outlineCorner(small);
    const Point largeCorner = outlineCorner(large);
    // Four times the cells: about twice the side.
    EXPECT_NEAR(largeCorner.x / smallCorner.x, 2, 0.3);
    EXPECT_NEAR(largeCorner.y / smallCorner.y, 2, 0.3);
    for (const DataItem& item : boardOf(large).data) {
        if (const auto* insert = std::get_if<Insert>(&item)) {
            EXPECT_THAT(insert->at.x, AllOf(Ge(0), Le(largeCorner.x))) << insert->refName;
            EXPECT_THAT(insert->at.y, AllOf(Ge(0), Le(largeCorner.y))) << insert->refName;
        }
    }
}

TEST(SyntheticDesignTest, TheWrittenFileLoadsBackEqual) {
    const Design design = makeSyntheticDesign({.components = 25, .seed = 11, .flawEvery = 4});
    lumora::test::TempDir folder;
    const std::filesystem::path file = folder.path() / "synthetic.json";
    saveDesign(design, file);
    EXPECT_EQ(loadDesign(file), design);
}

TEST(SyntheticDesignTest, NoComponentsIsRefused) {
    EXPECT_THROW(makeSyntheticDesign({.components = 0}), std::invalid_argument);
}

// The promise benchmarks rely on: at the copper distance test's defaults (5 and 3 mils), copper of
// different nets comes close, or touches, only at the flaws, each one Critical. Drills are left out:
// an unconnected pin's pad touches its own drill.
TEST(SyntheticDesignTest, CopperOfDifferentNetsComesCloseOnlyAtTheFlaws) {
    const Design design = makeSyntheticDesign({.components = 60, .seed = 5, .flawEvery = 12});
    DfmHarness harness(design);
    const std::vector<std::vector<std::string>> copperLayers{
        {"TOP", "PAD_TOP"}, {"GND"}, {"PWR"}, {"BOTTOM", "PAD_BOTTOM"}};
    for (const auto& layers : copperLayers) {
        int16_t geomNum = 0;
        ASSERT_EQ(harness.dfm->createFlattenGeometry(1, geomNum), rc::Ok);
        for (const std::string& layer : layers) {
            ASSERT_EQ(harness.dfm->Flatten(geomNum, layerNamed(design, layer), false), rc::Ok) << layer;
        }
        ASSERT_EQ(harness.dfm->Check(DistanceCheck2Args{.geomNum1 = geomNum,
                                                        .geomNum2 = geomNum,
                                                        .limits = {5, 3},
                                                        .algName = "Copper",
                                                        .skipSameNets = true,
                                                        .oneDrcPerNet = true}),
                  rc::Ok)
            << layers.front();
    }
    std::multiset<std::string> stubs;
    for (const DrcMarker& marker : harness.markers()) {
        EXPECT_EQ(marker.severity, "Critical") << markerText(marker);
        for (const DrcItem& item : marker.items) {
            if (item.net.view().starts_with("STUB")) {
                stubs.insert(item.net.str());
            }
        }
    }
    EXPECT_EQ(harness.markers().size(), 5u);
    EXPECT_THAT(stubs, UnorderedElementsAre("STUB1", "STUB2", "STUB3", "STUB4", "STUB5"));
    EXPECT_THAT(harness.announced, Each("Critical"));
    EXPECT_THAT(harness.announced, Not(IsEmpty()));
}

} // namespace
} // namespace lumora::engine::test
