// The key of a marker: its test, board, check, measure and sorted item names, with the source's
// identity of items that have no name of their own, never where or how bad it is; repeats within a
// test numbered in the order KORVEN placed them; and the former keys that waivers written before
// still name.

#include "record/MarkerKeys.h"
#include "record/Waivers.h"

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

TestRecord recordOf(std::vector<engine::DrcMarker> markers, std::string name = "Via Edge To Via Edge") {
    TestRecord record;
    record.name = std::move(name);
    for (engine::DrcMarker& placed : markers) {
        record.markers.emplace_back();
        record.markers.back().marker = std::make_shared<const engine::DrcMarker>(std::move(placed));
        record.markers.back().fileName = "ctrl_board.cc";
    }
    return record;
}

std::vector<std::string> keysOf(std::vector<engine::DrcMarker> markers) {
    return markerKeys(recordOf(std::move(markers)));
}

const engine::DrcItem kU2Pin1{"U2", "1", "GND"};
const engine::DrcItem kViaOnVcc{"", "", "VCC"};
const engine::DrcItem kUnnamed{};
const std::string kPrefix = "Via Edge To Via Edge / ctrl_board.cc / Via Edge To Via Edge - Top / distance / ";

engine::DrcItem via(std::string net, std::string id) {
    return {.net = std::move(net), .id = std::move(id)};
}

// Catches a key that changes when the board is edited elsewhere: items listed in another order,
// the violation moved or measured differently.
TEST(MarkerKeys, NameTestBoardCheckMeasureAndSortedItemsOnly) {
    const std::string expected = kPrefix + "U2-1 GND, VCC";
    EXPECT_THAT(keysOf({marker({kU2Pin1, kViaOnVcc}, {10, 20}, 7)}), ElementsAre(expected));
    EXPECT_THAT(keysOf({marker({kViaOnVcc, kU2Pin1}, {310, -5}, 9)}), ElementsAre(expected));
}

// Catches two violations of one test sharing a key (one waiver would accept both), or numbered in
// another order than placed; and an item without a name dropped from the key.
TEST(MarkerKeys, NumberRepeatsInPlacingOrder) {
    EXPECT_THAT(keysOf({marker({kU2Pin1}, {0, 0}), marker({kUnnamed, kU2Pin1}), marker({kU2Pin1}, {5, 5}),
                        marker({}), marker({kU2Pin1}, {9, 9}), marker({})}),
                ElementsAre(kPrefix + "U2-1 GND", kPrefix + "(unnamed), U2-1 GND", kPrefix + "U2-1 GND #2",
                            kPrefix, kPrefix + "U2-1 GND #3", kPrefix + " #2"));
}

// 240 stitching vias shared 19 keys told apart by " #2" counters in placement order, so one new via
// shifted every waiver after it. Items without a name carry their source's identity.
TEST(MarkerKeys, ItemsWithoutNamesAreToldApartByTheirIdentityNotByTheirOrder) {
    const std::vector<std::string> before =
        keysOf({marker({via("GND", "a"), via("GND", "b")}), marker({via("GND", "c"), via("GND", "d")})});
    EXPECT_THAT(before, ElementsAre(kPrefix + "GND {a}, GND {b}", kPrefix + "GND {c}, GND {d}"));
    const std::vector<std::string> after =
        keysOf({marker({via("GND", "e"), via("GND", "f")}), marker({via("GND", "a"), via("GND", "b")}),
                marker({via("GND", "c"), via("GND", "d")})});
    EXPECT_EQ(after[1], before[0]) << "a new via first changes no other key";
}

// Waivers written before keys named the measure and identities keep matching where their key is
// still unique, and take the new key; a former key that now stands for several markers names none.
TEST(MarkerKeys, FormerKeysMigrateWhereTheyAreStillUnique) {
    std::vector<TestRecord> tests{
        recordOf({marker({via("A", "a"), via("B", "b")})}),
        recordOf({marker({via("GND", "c"), via("GND", "d")}), marker({via("GND", "e"), via("GND", "f")})},
                 "Other")};
    const std::string former = " / ctrl_board.cc / Via Edge To Via Edge - Top / ";
    std::vector<Waiver> waivers{{"Via Edge To Via Edge" + former + "A, B", "", "", ""},
                                {"Other" + former + "GND, GND", "", "", ""}};
    migrateWaiverKeys(waivers, tests);
    EXPECT_EQ(waivers[0].key, markerKeys(tests[0])[0]);
    EXPECT_EQ(waivers[1].key, "Other" + former + "GND, GND");
    EXPECT_THAT(applyWaivers(waivers, tests), ElementsAre(::testing::Field(&Waiver::key, waivers[1].key)));
}

} // namespace
} // namespace lumora::test
