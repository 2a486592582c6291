#include "engine/measure/FlatItems.h"
#include "tests/engine/FlatItemsSupport.h"

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumora::engine::test {
namespace {

using ::testing::ElementsAre;

// Catches an item joined to the group of the item before it when its key differs, or a key that
// comes back after another one starting a second group: A A B A C B gives A A A, B B, C.
TEST(FlatItemsTest, GroupsTakeEveryItemOfTheirKeyInOrderOfTheFirst) {
    std::vector<Graphic> graphics;
    for (const char* who : {"A", "A", "B", "A", "C", "B"}) {
        graphics.push_back(flatItem(roundPad(0, 0, 10), who));
    }
    std::vector<FlatItem> items;
    for (const Graphic& graphic : graphics) {
        items.push_back({&graphic, Footprint(graphic.shape, Fill::Solid)});
    }

    std::vector<std::string> groups;
    for (const InsertItems& group : groupItemsBy<std::string_view>(
             items, [](const FlatItem& item) { return item.graphic->origin->component.view(); })) {
        std::string text;
        for (const FlatItem* item : group) {
            text += item->graphic->origin->component.view();
        }
        groups.push_back(text);
    }
    EXPECT_THAT(groups, ElementsAre("AAA", "BB", "C"));
}

} // namespace
} // namespace lumora::engine::test
