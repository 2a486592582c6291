#include "engine/measure/PlacedInserts.h"
#include "engine/model/Refusal.h"
#include "engine/tools/SyntheticDesign.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumora::engine::test {
namespace {

std::string seen(const PlacedInsert& placed) {
    return placed.reference() + " at " + std::to_string(placed.at().x) + "," + std::to_string(placed.at().y);
}

// Catches ranges that skip or repeat some of the board's own items, or parts joined out of order:
// a board of several ranges, walked in parts, shows every insert where one walk shows it.
TEST(PlacedInsertsTest, ThePartsOfALargeBoardJoinedInOrderAreOneWalk) {
    const Design design = makeSyntheticDesign({.components = 600, .seed = 1});
    ASSERT_GT(placedInsertRanges(design, 1).size(), 2u);
    std::vector<std::string> walked;
    forEachPlacedInsert(design, 1, [&](const PlacedInsert& placed) { walked.push_back(seen(placed)); });
    const auto parts = placedInsertsInParts<std::vector<std::string>>(
        design, 1,
        [](std::vector<std::string>& part, const PlacedInsert& placed) { part.push_back(seen(placed)); });
    std::vector<std::string> joined;
    for (const std::vector<std::string>& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    ASSERT_GT(walked.size(), 1800u);
    EXPECT_EQ(joined, walked);
}

// Catches findings joined out of walk order, or a refusal from a later insert than the first one a
// walk refuses: the ranges run at once, but the findings and the refusal are those of one walk.
TEST(PlacedInsertsTest, FindingsPerInsertComeInWalkOrderAndTheFirstRefusalIsRaised) {
    const Design design = makeSyntheticDesign({.components = 600, .seed = 1});
    std::vector<std::string> walked;
    forEachPlacedInsert(design, 1, [&](const PlacedInsert& placed) { walked.push_back(seen(placed)); });
    const std::vector<Finding> findings =
        findingsPerPlacedInsert(design, 1, [](std::vector<Finding>& found, const PlacedInsert& placed) {
            found.push_back({.check = seen(placed)});
        });
    std::vector<std::string> joined;
    for (const Finding& finding : findings) {
        joined.push_back(finding.check);
    }
    EXPECT_EQ(joined, walked);

    const auto refuseLate = [&](std::vector<Finding>&, const PlacedInsert& placed) {
        if (seen(placed) == walked[1000] || seen(placed) == walked[1500]) {
            throw Refusal(rc::WrongType, seen(placed));
        }
    };
    try {
        findingsPerPlacedInsert(design, 1, refuseLate);
        ADD_FAILURE() << "no refusal";
    } catch (const Refusal& refusal) {
        EXPECT_EQ(std::string(refusal.what()), walked[1000]);
    }
}

} // namespace
} // namespace lumora::engine::test
