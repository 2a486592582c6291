#include "engine/ops/Flatten.h"
#include "engine/model/Refusal.h"
#include "engine/runtime/WhileWaiting.h"
#include "engine/tools/SyntheticDesign.h"
#include "tests/engine/EngineTestDesigns.h"

#include <algorithm>
#include <functional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumora::engine::test {
namespace {

using ::testing::ElementsAre;

constexpr double kTolerance = 1e-9;

void expectPoint(Point actual, double x, double y) {
    EXPECT_NEAR(actual.x, x, kTolerance);
    EXPECT_NEAR(actual.y, y, kTolerance);
}

int16_t codeOfFailure(const std::function<void()>& action) {
    try {
        action();
    } catch (const Refusal& failure) {
        return failure.code();
    }
    return rc::Ok;
}

class FlattenTest : public ::testing::Test {
  protected:
    Design design = tinyBoard();
    int16_t target = createFlattenGeometry(design, 1);

    void flattenInto(FlattenSelection selection) { flatten(design, target, selection); }
    int16_t layer(const std::string& name) const { return layerNamed(design, name); }
    std::vector<Graphic> items() const { return graphicsOf(design, target); }
};

TEST_F(FlattenTest, PinsOfTopPadLayerAreThoseOfUnmirroredComponentsInBoardCoordinates) {
    flattenInto({.layer = layer("PAD_TOP"), .insertType = insert_type::Pin});

    EXPECT_THAT(originsOf(design, target), ElementsAre("R1/1", "R1/2", "J1/1", "J1/2"));
    const auto pads = items();
    expectPoint(std::get<Pad>(pads[0].shape).at, 950, 500);
    expectPoint(std::get<Pad>(pads[1].shape).at, 1050, 500);
    expectPoint(std::get<Pad>(pads[3].shape).at, 600, 1000);
    EXPECT_EQ(pads[0].net, "VCC");
    EXPECT_EQ(pads[1].net, "GND");
    EXPECT_EQ(pads[2].net, "SIG");
    EXPECT_EQ(pads[3].net, "") << "J1 gives its pin 2 no net";
    EXPECT_EQ(pads[0].origin->insertType, insert_type::Pin);
    EXPECT_EQ(pads[0].origin->surface, surface::Top);
    EXPECT_THAT(pads[0].origin->insertPath, ElementsAre(0, 0));
    EXPECT_EQ(pads[0].sourcePosition, 0);
}

TEST_F(FlattenTest, MirroredComponentMovesItsPadsToTheMirrorLayerFlippedAndTurned) {
    flattenInto({.layer = layer("PAD_BOTTOM"), .insertType = insert_type::Pin});

    EXPECT_THAT(originsOf(design, target), ElementsAre("R2/1", "R2/2", "J1/1", "J1/2"));
    const auto pads = items();
    const Pad& first = std::get<Pad>(pads[0].shape);
    // (-50, 0) mirrored is (50, 0), turned by 90 degrees (0, 50), placed at (2000, 500).
    expectPoint(first.at, 2000, 550);
    expectPoint(std::get<Pad>(pads[1].shape).at, 2000, 450);
    EXPECT_DOUBLE_EQ(first.sizeX, 20);
    EXPECT_DOUBLE_EQ(first.sizeY, 40);
    EXPECT_NEAR(first.rotation, 90, kTolerance);
    EXPECT_EQ(pads[0].layer, layer("PAD_BOTTOM"));
    EXPECT_EQ(pads[0].origin->surface, surface::Bottom);
    EXPECT_EQ(pads[0].net, "SIG");
    EXPECT_EQ(pads[2].origin->surface, surface::Top)
        << "a thru-hole pin keeps the mount side of its component";
}

TEST_F(FlattenTest, SurfaceChoosesInsertsByMountSide) {
    flattenInto({.layer = -1, .insertType = insert_type::Pin, .surface = surface::Bottom});
    EXPECT_THAT(originsOf(design, target), ElementsAre("R2/1", "R2/1", "R2/2", "R2/2"))
        << "pad and soldermask opening of each pin";

    const int16_t top = createFlattenGeometry(design, 1);
    flatten(design, top,
            {.layer = layer("PAD_TOP"), .insertType = insert_type::Pin, .surface = surface::Top});
    EXPECT_THAT(originsOf(design, top), ElementsAre("R1/1", "R1/2", "J1/1", "J1/2"));
}

TEST_F(FlattenTest, InsertPointsComeOncePerInsertAndOnlyFromLayersItUses) {
    const FlattenSelection fiducials{
        .layer = layer("PAD_TOP"), .insertType = insert_type::Fiducial, .insertPointOnly = true};
    flattenInto(fiducials);
    flattenInto(fiducials);
    flattenInto({.layer = layer("PAD_BOTTOM"), .insertType = insert_type::Fiducial, .insertPointOnly = true});

    ASSERT_EQ(items().size(), 1u);
    expectPoint(std::get<Mark>(items()[0].shape).at, 100, 100);
    EXPECT_EQ(items()[0].origin->component, "FID1");
    EXPECT_EQ(items()[0].origin->insertType, insert_type::Fiducial);
}

TEST_F(FlattenTest, LayerFlattenTakesEveryLevelUnlessTopLevelOnly) {
    flattenInto({.layer = layer("TOP")});
    ASSERT_EQ(items().size(), 2u);
    EXPECT_EQ(items()[0].net, "GND");
    EXPECT_EQ(items()[0].origin->component, "");
    EXPECT_EQ(items()[0].origin->insertType, insert_type::Any);

    const int16_t silkAll = createFlattenGeometry(design, 1);
    flatten(design, silkAll, {.layer = layer("SST")});
    EXPECT_THAT(originsOf(design, silkAll), ElementsAre("R1")) << "R2's silkscreen moved to SSB";

    const int16_t silkTop = createFlattenGeometry(design, 1);
    flatten(design, silkTop, {.layer = layer("SST"), .topLevelOnly = true});
    EXPECT_TRUE(graphicsOf(design, silkTop).empty());
}

TEST_F(FlattenTest, MirroredBodyPolygonLandsOnBottomBodyLayer) {
    flattenInto({.layer = layer("BODY_BOTTOM")});

    const auto bodies = items();
    ASSERT_EQ(bodies.size(), 1u);
    const Ring& outline = std::get<Polygon>(bodies[0].shape).outline;
    ASSERT_EQ(outline.size(), 4u);
    // (-80, -30): mirrored (80, -30), turned (30, 80), placed (2030, 580).
    expectPoint(outline[0], 2030, 580);
    expectPoint(outline[2], 1970, 420);
}

TEST_F(FlattenTest, GraphicClassOnEveryLayer) {
    flattenInto({.layer = -1, .graphicClass = graphic_class::BoardOutline});
    ASSERT_EQ(items().size(), 1u);
    EXPECT_EQ(items()[0].layer, layer("OUTLINE"));

    const int16_t etch = createFlattenGeometry(design, 1);
    flatten(design, etch, {.layer = -1, .graphicClass = graphic_class::Etch, .topLevelOnly = true});
    ASSERT_EQ(graphicsOf(design, etch).size(), 3u);
    EXPECT_EQ(graphicsOf(design, etch)[2].net, "SIG");
}

TEST_F(FlattenTest, AttributeOfComponentChoosesItsPins) {
    flattenInto({.layer = layer("PAD_TOP"),
                 .insertType = insert_type::Pin,
                 .condition = AttributeCondition("PACKAGE_FAMILY", "R0603", comparison::Equal)});
    EXPECT_THAT(originsOf(design, target), ElementsAre("R1/1", "R1/2"));
    EXPECT_EQ(*items()[0].attributes.find("COMPHEIGHT"), "20")
        << "flattened items carry their inserts' attributes";
}

// The items of one component share its attribute list until one of them, or the component, changes.
TEST_F(FlattenTest, AFlattenedItemsAttributesChangeAloneThoughTheyAreShared) {
    flattenInto({.layer = layer("PAD_TOP"), .insertType = insert_type::Pin});
    Graphic& first = std::get<Graphic>(design.geometry(target).data[0]);
    first.attributes.set("COMPHEIGHT", "30");
    first.attributes.set("MARK", "1");
    const auto pads = items();
    EXPECT_EQ(*pads[1].attributes.find("COMPHEIGHT"), "20") << "R1's other pad";
    EXPECT_FALSE(pads[1].attributes.has("MARK"));

    Insert& r1 = std::get<Insert>(design.geometry(design.file(1).geometry).data[0]);
    r1.attributes.erase("COMPHEIGHT");
    EXPECT_EQ(*items()[1].attributes.find("COMPHEIGHT"), "20") << "a copy keeps what was flattened";
    EXPECT_FALSE(r1.attributes.has("COMPHEIGHT"));
}

// Pins whose own lists are alike merge with their component's list once: a merge for each pin was
// a copy of a component's list for every pin of the board.
TEST_F(FlattenTest, PinsWithListsAlikeShareOneMergedListAndAPinsOwnValueStillWins) {
    const Insert& r1 = std::get<Insert>(design.geometry(design.file(1).geometry).data[0]);
    std::vector<Insert*> pins;
    for (DataItem& item : design.geometry(r1.geometry).data) {
        if (auto* pin = std::get_if<Insert>(&item)) {
            pin->attributes.set("PIN_PITCH", "100");
            pins.push_back(pin);
        }
    }
    ASSERT_EQ(pins.size(), 2U);
    flattenInto({.layer = layer("PAD_TOP"), .insertType = insert_type::Pin});
    auto pads = items();
    EXPECT_TRUE(pads[0].attributes.sharesWith(pads[1].attributes));
    EXPECT_EQ(*pads[1].attributes.find("COMPHEIGHT"), "20");

    pins[1]->attributes.set("PIN_PITCH", "50");
    target = createFlattenGeometry(design, 1);
    flattenInto({.layer = layer("PAD_TOP"), .insertType = insert_type::Pin});
    pads = items();
    EXPECT_EQ(*pads[0].attributes.find("PIN_PITCH"), "100");
    EXPECT_EQ(*pads[1].attributes.find("PIN_PITCH"), "50");
}

TEST_F(FlattenTest, NumericComparisonsSplitComponentsByHeight) {
    auto components = [&](int32_t comparison, const std::string& value) {
        const int16_t geometry = createFlattenGeometry(design, 1);
        flatten(design, geometry,
                {.layer = layer("BODY_TOP"),
                 .insertType = insert_type::Component,
                 .condition = AttributeCondition("COMPHEIGHT", value, comparison)});
        flatten(design, geometry,
                {.layer = layer("BODY_BOTTOM"),
                 .insertType = insert_type::Component,
                 .condition = AttributeCondition("COMPHEIGHT", value, comparison)});
        return originsOf(design, geometry);
    };
    EXPECT_THAT(components(comparison::Greater, "20"), ElementsAre("R2"));
    EXPECT_THAT(components(comparison::GreaterOrEqual, "20"), ElementsAre("R1", "R2"));
    EXPECT_THAT(components(comparison::Less, "80"), ElementsAre("R1"));
    EXPECT_THAT(components(comparison::LessOrEqual, "80,0"), ElementsAre("R1", "R2"))
        << "regional decimal comma";
    EXPECT_THAT(components(comparison::Equal, "80.0"), ElementsAre("R2")) << "numbers compare as numbers";
}

TEST_F(FlattenTest, TestpointsOfAnyInsertTypeByKeyword) {
    flattenInto({.layer = layer("PAD_TOP"),
                 .insertType = insert_type::Any,
                 .condition = AttributeCondition("TEST", "", comparison::HasKeyword)});
    ASSERT_EQ(items().size(), 1u);
    expectPoint(std::get<Pad>(items()[0].shape).at, 1600, 800);
    EXPECT_EQ(items()[0].net, "SIG");
    EXPECT_EQ(items()[0].origin->insertType, insert_type::Via);
}

TEST_F(FlattenTest, NetNameComparesWithThePinsNet) {
    flattenInto({.layer = -1,
                 .insertType = insert_type::Pin,
                 .condition = AttributeCondition("NETNAME", "GND", comparison::Equal)});
    EXPECT_THAT(originsOf(design, target), ElementsAre("R1/2", "R1/2", "R2/2", "R2/2"));

    const int16_t unnamed = createFlattenGeometry(design, 1);
    flatten(design, unnamed,
            {.layer = layer("PAD_TOP"),
             .insertType = insert_type::Pin,
             .condition = AttributeCondition("NETNAME", "", comparison::LacksKeyword)});
    EXPECT_THAT(originsOf(design, unnamed), ElementsAre("J1/2"));
}

TEST_F(FlattenTest, RefusesUnknownNumbersWithKorvensCodes) {
    EXPECT_EQ(codeOfFailure([&] { flatten(design, 999, {}); }), rc::ItemNotFound);
    EXPECT_EQ(codeOfFailure([&] { flatten(design, 10, {}); }), rc::WrongType)
        << "a design block is no target";
    EXPECT_EQ(codeOfFailure([&] { flattenInto({.layer = 13}); }), rc::IndexOutOfRange);
    EXPECT_EQ(codeOfFailure([&] { flattenInto({.layer = 0}); }), rc::HoleInArray);
    EXPECT_EQ(codeOfFailure([&] { flattenInto({.layer = -2}); }), rc::IndexOutOfRange);
    EXPECT_EQ(codeOfFailure([&] { flattenInto({.layer = 1, .insertType = 2, .surface = 4}); }),
              rc::ValueOutOfRange);
    EXPECT_EQ(codeOfFailure([&] { createFlattenGeometry(design, 7); }), rc::ItemNotFound);
    EXPECT_EQ(codeOfFailure([] { AttributeCondition("COMPHEIGHT", "tall", comparison::Greater); }),
              rc::WrongType);
    EXPECT_EQ(codeOfFailure([] { AttributeCondition("COMPHEIGHT", "1", 3); }), rc::ValueOutOfRange);
    EXPECT_TRUE(items().empty());
}

TEST(FlattenPanelTest, BoardsPlacedInAPanelGiveTheirItemsOncePerPlacement) {
    Design design = tinyBoard();
    Geometry panel;
    panel.name = "PANEL";
    panel.blockType = block_type::Panel;
    panel.data.emplace_back(
        Insert{.insertType = insert_type::Board, .geometry = 10, .at = {0, 0}, .refName = "B1"});
    panel.data.emplace_back(Insert{.insertType = insert_type::Board,
                                   .geometry = 10,
                                   .at = {3000, 4000},
                                   .rotation = 180,
                                   .refName = "B2"});
    const int16_t panelNumber = design.addGeometry(std::move(panel));
    design.files.push_back({.number = 2, .name = "panel.cc", .geometry = panelNumber});

    const int16_t target = createFlattenGeometry(design, 2);
    flatten(design, target,
            {.layer = layerNamed(design, "PAD_TOP"),
             .insertType = insert_type::Fiducial,
             .insertPointOnly = true});

    EXPECT_THAT(originsOf(design, target), ElementsAre("B1/FID1", "B2/FID1"));
    expectPoint(std::get<Mark>(graphicsOf(design, target)[1].shape).at, 2900, 3900);
}

// A KiCad fiducial or testpoint is a footprint whose pad is a pin: its items were named by the pin
// ("1-1") instead of the footprint's reference and the pad number.
TEST(FlattenNamesTest, AFootprintThatIsNoComponentNamesItsPinsByItsReference) {
    Design design = tinyBoard();
    const int16_t smd = 1; // the tiny board's SMD padstack
    Geometry footprint{.name = "TESTPOINT-30MIL", .blockType = block_type::Component};
    footprint.data.emplace_back(Insert{.insertType = insert_type::Pin, .geometry = smd, .refName = "1"});
    const int16_t footprintNumber = design.addGeometry(std::move(footprint));
    design.geometry(10).data.emplace_back(Insert{.insertType = insert_type::Testpoint,
                                                 .geometry = footprintNumber,
                                                 .at = {200, 200},
                                                 .refName = "TP18"});

    const int16_t target = createFlattenGeometry(design, 1);
    flatten(design, target, {.layer = layerNamed(design, "PAD_TOP"), .insertType = insert_type::Testpoint});
    EXPECT_THAT(originsOf(design, target), ElementsAre("TP18/1"));
}

namespace {

std::vector<int32_t> pathOf(const Graphic& item) {
    std::vector<int32_t> path(item.origin->insertPath.begin(), item.origin->insertPath.end());
    path.push_back(item.sourcePosition);
    return path;
}

} // namespace

// More items than the walk gathers in one block, and a second call's after the first's: every pad
// of a pin once, in the order of the walk.
TEST(FlattenLargeTest, ManyItemsComeOnceInWalkOrderAndALaterCallAddsAfterThem) {
    Design design = makeSyntheticDesign({.components = 2000, .seed = 1});
    const int32_t file = design.files.front().number;
    const int16_t all = createFlattenGeometry(design, file);
    flatten(design, all, {.insertType = insert_type::Pin});
    const int16_t bySide = createFlattenGeometry(design, file);
    flatten(design, bySide, {.insertType = insert_type::Pin, .surface = surface::Top});
    flatten(design, bySide, {.insertType = insert_type::Pin, .surface = surface::Bottom});

    std::vector<std::vector<int32_t>> walked;
    std::vector<std::vector<int32_t>> topThenBottom[2];
    for (const Graphic& pad : graphicsOf(design, all)) {
        walked.push_back(pathOf(pad));
        topThenBottom[pad.origin->surface == surface::Bottom].push_back(walked.back());
    }
    ASSERT_GT(walked.size(), 3 * 4096u);
    EXPECT_EQ(std::ranges::adjacent_find(walked, std::greater_equal<>()), walked.end());
    std::vector<std::vector<int32_t>> added;
    for (const Graphic& pad : graphicsOf(design, bySide)) {
        added.push_back(pathOf(pad));
    }
    topThenBottom[0].insert(topThenBottom[0].end(), topThenBottom[1].begin(), topThenBottom[1].end());
    EXPECT_EQ(added, topThenBottom[0]);
}

// Catches parts of a walk joined out of order or sharing a part's state: with the while-waiting hook
// set, every part runs on the pool's threads, and the items must be those of the walk on one thread.
TEST(FlattenLargeTest, PartsWalkedOnThePoolGiveTheItemsOfOneWalk) {
    const Design board = makeSyntheticDesign({.components = 2000, .seed = 1});
    const FlattenSelection selections[] = {{.insertType = insert_type::Pin},
                                           {.insertType = insert_type::Any, .insertPointOnly = true},
                                           {.layer = layerNamed(board, "TOP")}};
    auto flattened = [&](const FlattenSelection& selection) {
        Design design = board;
        const int16_t target = createFlattenGeometry(design, design.files.front().number);
        flatten(design, target, selection);
        return graphicsOf(design, target);
    };
    for (const FlattenSelection& selection : selections) {
        const std::vector<Graphic> oneThread = flattened(selection);
        setWhileWaiting([] {});
        const std::vector<Graphic> onThePool = flattened(selection);
        setWhileWaiting(nullptr);
        ASSERT_GT(oneThread.size(), 1000u);
        EXPECT_TRUE(onThePool == oneThread);
    }
}

} // namespace
} // namespace lumora::engine::test
