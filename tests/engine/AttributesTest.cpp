#include "engine/model/Attributes.h"

#include <gtest/gtest.h>

#include <string>

namespace lumora::engine {
namespace {

// Keywords match without regard to case, alike in a short list, which is scanned, and a long one,
// which keeps an index; only ASCII letters fold, other bytes compare as they are.
TEST(AttributeListTest, KeywordsMatchWithoutRegardToCaseInShortAndLongLists) {
    for (std::size_t others : {2u, 200u}) { // a list of 200 keeps an index
        AttributeList list;
        for (std::size_t i = 0; i < others; ++i) {
            list.set("KEY" + std::to_string(i), std::to_string(i));
        }
        list.set("Comp_Height", "20");
        list.set("H\xC3\x96HE", "3");  // "HÖHE"
        list.set("comp_HEIGHT", "21"); // the same keyword: changes the value

        ASSERT_NE(list.find("COMP_HEIGHT"), nullptr) << others;
        EXPECT_EQ(*list.find("COMP_HEIGHT"), "21");
        EXPECT_EQ(*list.find("key1"), "1");
        EXPECT_EQ(*list.find("h\xC3\x96he"), "3");
        EXPECT_EQ(list.find("H\xC3\xB6HE"), nullptr) << "ö is not Ö in ASCII";
        EXPECT_EQ(list.find("COMP_HEIGHT_"), nullptr);
    }
}

} // namespace
} // namespace lumora::engine
