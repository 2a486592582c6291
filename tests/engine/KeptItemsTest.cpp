#include "engine/ops/KeptItems.h"
#include "engine/model/GeometryItems.h"

#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumora::engine::test {
namespace {

using ::testing::ElementsAre;

Graphic onNet(std::size_t number) {
    return Graphic{.net = std::to_string(number)};
}

SharedItems numberedItems(std::size_t from, std::size_t count) {
    auto items = std::make_shared<ItemArray>(count);
    for (std::size_t i = 0; i < count; ++i) {
        items->make(i, onNet(from + i));
    }
    return items;
}

std::vector<std::string> netsOf(const Geometry& geometry) {
    std::vector<std::string> nets;
    forEachItem(geometry, [&](const DataItem& item) { nets.push_back(std::get<Graphic>(item).net.str()); });
    return nets;
}

bool dropsMultiplesOf3(const DataItem& item) {
    return std::stoul(std::get<Graphic>(item).net.str()) % 3 == 0;
}

// Catches ranges joined out of order or an item lost or doubled at a range's edge, and a list changed
// under another holder: 3,000 items in three ranges, every third dropped, behind two items of the
// geometry's own; the other geometry still has all of them.
TEST(KeptItemsTest, KeepsTheRestInOrderAcrossRangesAndLeavesTheOtherHolders) {
    const SharedItems shared = numberedItems(1, 3000);
    Geometry filtered{.data = {onNet(0), onNet(1)}, .sharedData = {shared}};
    const Geometry other{.sharedData = {shared}};

    dropItemsInParts(filtered, dropsMultiplesOf3);

    std::vector<std::string> expected{"1"};
    for (std::size_t n = 1; n <= 3000; ++n) {
        if (n % 3 != 0) {
            expected.push_back(std::to_string(n));
        }
    }
    EXPECT_EQ(netsOf(filtered), expected);
    EXPECT_EQ(itemCount(other), 3000u);
    EXPECT_EQ(std::get<Graphic>(itemAt(other, 2999)).net, "3000");
}

// Catches a filter that copies a list it drops nothing from (a board's worth of copies for nothing)
// or keeps an empty one: the first list stays the very one shared, the second goes.
TEST(KeptItemsTest, AListLosingNothingStaysSharedAndOneLosingAllGoes) {
    const SharedItems untouched = numberedItems(1, 2);
    Geometry geometry{.sharedData = {untouched, numberedItems(3, 1), numberedItems(4, 2)}};

    dropItemsInParts(geometry, dropsMultiplesOf3);

    ASSERT_EQ(geometry.sharedData.size(), 2u);
    EXPECT_EQ(geometry.sharedData[0], untouched);
    EXPECT_THAT(netsOf(geometry), ElementsAre("1", "2", "4", "5"));
}

} // namespace
} // namespace lumora::engine::test
