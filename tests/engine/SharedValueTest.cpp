// Values that copies share: how long the value lives, what equal means, and a change of one's own.

#include "engine/model/SharedValue.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace lumora::engine::test {
namespace {

// Catches a value freed while a copy still holds it, or kept after the last holder went (under
// AddressSanitizer the first reads freed memory, the second leaks).
TEST(SharedValue, LivesAsLongAsItsLastHolder) {
    std::vector<SharedValue<std::string>> holders;
    {
        SharedValue<std::string> first(std::string(40, 'x'));
        holders.push_back(first);
        holders.push_back(holders.back());
    }
    SharedValue<std::string> moved = std::move(holders.front());
    EXPECT_FALSE(holders.front());
    holders.erase(holders.begin());
    EXPECT_EQ(*holders.back(), std::string(40, 'x'));
    holders.back() = holders.back(); // assigned to itself: must not let go first
    holders.back().reset();
    EXPECT_EQ(moved.value(), std::string(40, 'x'));
    EXPECT_THROW(holders.back().value(), std::bad_optional_access);
}

// Catches values compared by where they are kept: two flatten calls that take the same items make
// origins of their own, and the items must still compare equal.
TEST(SharedValue, EqualByValueNotByHolder) {
    const SharedValue<std::string> a(std::string("R1"));
    EXPECT_EQ(a, SharedValue<std::string>(std::string("R1")));
    EXPECT_NE(a, SharedValue<std::string>(std::string("R2")));
    EXPECT_NE(a, SharedValue<std::string>());
    EXPECT_EQ(SharedValue<std::string>(), SharedValue<std::string>());
}

// Catches a change that reaches the other holders of a shared value (a list of attributes set on
// one item that shows on every item flattened beside it), or a copy made when nothing is shared.
TEST(SharedValue, AChangeIsTheChangingHoldersOwn) {
    SharedValue<std::string> first(std::string("R1"));
    SharedValue<std::string> second = first;
    second.changing() += "0";
    EXPECT_EQ(*first, "R1");
    EXPECT_EQ(*second, "R10");
    EXPECT_FALSE(first.sharesWith(second));
    const std::string* before = &*second;
    second.changing() += "1";
    EXPECT_EQ(&*second, before);
    SharedValue<std::string> empty;
    EXPECT_EQ(empty.changing(), "");
    EXPECT_TRUE(empty);
}

} // namespace
} // namespace lumora::engine::test
