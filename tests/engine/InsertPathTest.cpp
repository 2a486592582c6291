// Insert paths: inline up to three positions, on the heap beyond.

#include "engine/model/InsertPath.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace lumora::engine::test {
namespace {

using ::testing::ElementsAre;

// Catches a deep path (a panel inside a panel) whose heap positions are freed twice, leaked, or
// shared by a copy that outlives the original (AddressSanitizer reports each).
TEST(InsertPath, DeepPathsCopyMoveAndAssignOnTheHeap) {
    InsertPath copy;
    {
        const InsertPath deep{1, 2, 3, 4, 5};
        copy = deep;
        InsertPath moved = InsertPath(deep);
        copy = std::move(moved);
        EXPECT_TRUE(moved.empty());
    }
    const InsertPath& same = copy;
    copy = same;
    EXPECT_THAT(copy, ElementsAre(1, 2, 3, 4, 5));
    copy = InsertPath{7};
    EXPECT_THAT(copy, ElementsAre(7));
}

// Catches paths compared by where their positions are kept, or a short path read past its end.
TEST(InsertPath, EqualByPositionsInlineOrOnTheHeap) {
    const std::vector<int32_t> four{0, 3, 1, 2};
    EXPECT_EQ(InsertPath(four), (InsertPath{0, 3, 1, 2}));
    EXPECT_NE(InsertPath(four), (InsertPath{0, 3, 1}));
    EXPECT_EQ((InsertPath{0, 3, 1}), InsertPath(std::span<const int32_t>(four).first(3)));
    EXPECT_NE((InsertPath{0, 3, 1}), (InsertPath{0, 3, 2}));
    EXPECT_EQ(InsertPath(), InsertPath(std::span<const int32_t>()));
}

} // namespace
} // namespace lumora::engine::test
