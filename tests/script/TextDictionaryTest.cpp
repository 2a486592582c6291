#include "script/TextDictionary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using lumora::TextDictionary;

namespace {

std::vector<std::string> keysOf(const TextDictionary& dict) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : dict) {
        keys.push_back(key);
    }
    return keys;
}

} // namespace

TEST(TextDictionary, KeepsFirstInsertionOrderWhenValuesAreReplaced) {
    TextDictionary dict;
    dict.store("b", "1");
    dict.store("a", "2");
    dict.store("b", "3");
    EXPECT_EQ(keysOf(dict), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(dict.item("b"), "3");
    EXPECT_EQ(dict.count(), 2u);
}

TEST(TextDictionary, KeysAreCaseSensitiveAndExact) {
    TextDictionary dict;
    dict.store("Name", "x");
    dict.store("name", "y");
    dict.store("name ", "z");
    EXPECT_EQ(dict.count(), 3u);
    EXPECT_EQ(dict.item("Name"), "x");
}

TEST(TextDictionary, ReadingAnAbsentKeyYieldsEmptyAndAddsIt) {
    TextDictionary dict;
    dict.store("first", "1");
    EXPECT_FALSE(dict.exists("missing"));
    EXPECT_EQ(dict.item("missing"), "");
    EXPECT_TRUE(dict.exists("missing"));
    EXPECT_EQ(keysOf(dict), (std::vector<std::string>{"first", "missing"}));
}

TEST(TextDictionary, TheEmptyKeyIsAKeyLikeAnyOther) {
    TextDictionary dict;
    dict.store("", "v");
    EXPECT_TRUE(dict.exists(""));
    EXPECT_EQ(dict.item(""), "v");
}

TEST(TextDictionary, AKeyAddedByReadingHoldsNoValueUntilOneIsStored) {
    TextDictionary dict;
    dict.item("read");
    dict.store("empty", "");
    EXPECT_FALSE(dict.holdsValue("read"));
    EXPECT_FALSE(dict.holdsValue("absent"));
    EXPECT_TRUE(dict.holdsValue("empty"));
    dict.store("read", "");
    EXPECT_TRUE(dict.holdsValue("read"));
}
