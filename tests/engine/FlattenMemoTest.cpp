#include "engine/model/GeometryItems.h"
#include "engine/ops/Editing.h"
#include "engine/ops/Filter.h"
#include "engine/ops/Flatten.h"
#include "engine/ops/Polygons.h"
#include "tests/engine/EngineTestDesigns.h"

#include <functional>
#include <memory>
#include <span>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumora::engine::test {
namespace {

using ::testing::ElementsAre;

SharedItems itemsOfSize(std::size_t count) {
    auto items = std::make_shared<ItemArray>(count);
    for (std::size_t i = 0; i < count; ++i) {
        Graphic flattened;
        flattened.origin = FlatOrigin{};
        items->make(i, std::move(flattened));
    }
    return items;
}

FlattenSelection onLayer(int16_t layer) {
    return {.layer = layer};
}

SharedItems remadeAlike(std::span<const ItemSource> sources) {
    return itemsOfSize(sources.size());
}

// Catches a memo that forgets the result used last, or keeps every result however many: the
// results are four of ten items, the room four times the largest.
TEST(FlattenMemoTest, ForgetsTheResultUsedLeastRecentlyOnceFullAndKeepsTheOthers) {
    FlattenMemo memo;
    for (int16_t layer = 1; layer <= 4; ++layer) {
        memo.keep(1, onLayer(layer), itemsOfSize(10));
    }
    ASSERT_NE(memo.find(1, onLayer(1), remadeAlike), nullptr)
        << "four results fill the room without passing it";
    memo.keep(1, onLayer(5), itemsOfSize(10));

    EXPECT_EQ(memo.find(1, onLayer(2), remadeAlike), nullptr) << "layer 2 was used least recently";
    for (int16_t layer : {1, 3, 4, 5}) {
        EXPECT_NE(memo.find(1, onLayer(layer), remadeAlike), nullptr) << layer;
    }
    EXPECT_EQ(memo.find(2, onLayer(1), remadeAlike), nullptr) << "another file's selection is another result";
}

class SharedFlattenTest : public ::testing::Test {
  protected:
    Design design = tinyBoard();
    FlattenCache cache;
    FlattenSelection pins{.layer = layerNamed(design, "PAD_TOP"), .insertType = insert_type::Pin};

    int16_t flattenedWithCache(const FlattenSelection& selection) {
        const int16_t geomNum = createFlattenGeometry(design, 1);
        flatten(design, geomNum, selection, cache);
        return geomNum;
    }
    int16_t flattenedAlone(const FlattenSelection& selection) {
        const int16_t geomNum = createFlattenGeometry(design, 1);
        flatten(design, geomNum, selection);
        return geomNum;
    }
};

// Catches a repeated selection walked and copied again, or a geometry changed through items another
// one shares: the second geometry shares the first one's items, and filtering one leaves the other.
TEST_F(SharedFlattenTest, ARepeatedSelectionSharesTheItemsAndAChangeToOneLeavesTheOther) {
    const int16_t first = flattenedWithCache(pins);
    const int16_t second = flattenedWithCache(pins);
    ASSERT_EQ(design.geometry(second).sharedData.size(), 1u);
    EXPECT_EQ(design.geometry(second).sharedData[0], design.geometry(first).sharedData[0]);

    filterGeometry(design, first, AttributeCondition("NETNAME", "GND", 0));

    EXPECT_THAT(originsOf(design, first), ElementsAre("R1/1", "J1/1", "J1/2"));
    EXPECT_THAT(originsOf(design, second), ElementsAre("R1/1", "R1/2", "J1/1", "J1/2"));
}

// Catches items the memo makes again unlike the walk made them (a mirrored and turned pin's layer
// or place, the net its component gives, the file's own etch): once no geometry holds a result,
// the next call makes it again from the memo, equal to a fresh walk's.
TEST_F(SharedFlattenTest, AResultNoGeometryHoldsIsMadeAgainAsTheWalkMadeIt) {
    const FlattenSelection everything{};
    deleteGeometry(design, flattenedWithCache(everything));
    const int16_t remade = flattenedWithCache(everything);
    const int16_t walked = flattenedAlone(everything);
    ASSERT_GT(graphicsOf(design, walked).size(), 10u);
    EXPECT_EQ(graphicsOf(design, remade), graphicsOf(design, walked));
}

// Catches a call that changes a flatten geometry but reads only the items it owns: on shared items
// it would see none. Each change gives what it gives on items of the geometry's own.
TEST_F(SharedFlattenTest, EveryChangeOfFlattenedItemsGivesWhatItGivesOnItemsOfTheirOwn) {
    const FlattenSelection mask{.layer = layerNamed(design, "SMT")};
    const std::function<void(int16_t)> changes[] = {
        [&](int16_t g) { filterGeometry(design, g, AttributeCondition("NETNAME", "GND", 0)); },
        [&](int16_t g) { combinePolies(design, g); },
        [&](int16_t g) { processSolderMask(design, flattenedWithCache(mask), g); },
    };
    const FlattenSelection padsOnEveryLayer{.insertType = insert_type::Pin}; // overlapping: one polygon each
    for (const auto& change : changes) {
        const int16_t shared = flattenedWithCache(padsOnEveryLayer);
        const int16_t own = flattenedAlone(padsOnEveryLayer);
        change(shared);
        change(own);
        ASSERT_FALSE(graphicsOf(design, own).empty());
        EXPECT_EQ(graphicsOf(design, shared), graphicsOf(design, own));
    }
    const int16_t shared = flattenedWithCache(pins);
    deleteByLayer(design, pins.layer, false);
    EXPECT_TRUE(graphicsOf(design, shared).empty()) << "a deleted layer's items go from every geometry";
}

// Catches insertion points taken from the memo: they are placed once per target, so a second call
// into one target adds none, whatever an earlier target holds.
TEST_F(SharedFlattenTest, InsertionPointsComeOncePerTargetAndToEveryTarget) {
    const FlattenSelection points{.insertType = insert_type::Pin, .insertPointOnly = true};
    const int16_t first = flattenedWithCache(points);
    flatten(design, first, points, cache);
    const int16_t second = flattenedWithCache(points);

    EXPECT_THAT(originsOf(design, first), ElementsAre("R1/1", "R1/2", "R2/1", "R2/2", "J1/1", "J1/2"));
    EXPECT_EQ(originsOf(design, second), originsOf(design, first));
}

} // namespace
} // namespace lumora::engine::test
