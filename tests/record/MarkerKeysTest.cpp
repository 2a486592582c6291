// The key of a marker: its test, board, check and sorted item names, never where or how bad it is;
// repeats within a test numbered in the order KORVEN placed them.

#include "record/MarkerKeys.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumora::test {
namespace {

using ::testing::ElementsAre;

engine::DrcMarker marker(std::vector<engine::DrcItem> items, engine::Point at = {}, double measured = 0) {
    return {.at = at,
            .severity = "Critical",
            .check = "Via Edge To Via Edge - Top",
            .measure = "distance",
            .measured = measured,
            .items = std::move(items)};
}

std::vector<std::string> keysOf(std::vector<engine::DrcMarker> markers) {
    TestRecord record;
    record.name = "Via Edge To Via Edge";
    for (engine::DrcMarker& placed : markers) {
        record.markers.emplace_back();
        record.markers.back().marker = std::move(placed);
        record.markers.back().fileName = "ctrl_board.cc";
    }
    assignMarkerKeys(record);
    std::vector<std::string> keys;
    for (const RecordedMarker& recorded : record.markers) {
        keys.push_back(recorded.key);
    }
    return keys;
}

const engine::DrcItem kU2Pin1{"U2", "1", "GND"};
const engine::DrcItem kViaOnVcc{"", "", "VCC"};
const engine::DrcItem kUnnamed{};

// Catches a key that changes when the board is edited elsewhere: items listed in another order,
// the violation moved or measured differently.
TEST(MarkerKeys, NameTestBoardCheckAndSortedItemsOnly) {
    const std::string expected =
        "Via Edge To Via Edge / ctrl_board.cc / Via Edge To Via Edge - Top / U2-1 GND, VCC";
    EXPECT_THAT(keysOf({marker({kU2Pin1, kViaOnVcc}, {10, 20}, 7)}), ElementsAre(expected));
    EXPECT_THAT(keysOf({marker({kViaOnVcc, kU2Pin1}, {310, -5}, 9)}), ElementsAre(expected));
}

// Catches two violations of one test sharing a key (one waiver would accept both), or numbered in
// another order than placed; and an item without a name dropped from the key.
TEST(MarkerKeys, NumberRepeatsInPlacingOrder) {
    const std::string prefix = "Via Edge To Via Edge / ctrl_board.cc / Via Edge To Via Edge - Top / ";
    EXPECT_THAT(keysOf({marker({kU2Pin1}, {0, 0}), marker({kUnnamed, kU2Pin1}), marker({kU2Pin1}, {5, 5}),
                        marker({}), marker({kU2Pin1}, {9, 9}), marker({})}),
                ElementsAre(prefix + "U2-1 GND", prefix + "(unnamed), U2-1 GND", prefix + "U2-1 GND #2",
                            prefix, prefix + "U2-1 GND #3", prefix + " #2"));
}

} // namespace
} // namespace lumora::test
