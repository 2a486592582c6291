// A design file's items are parsed on several threads from the text a scan of its structure finds;
// the scan must cut exactly where one parser of the whole text would see each item, and give up
// wherever it cannot be sure, leaving the whole text to that parser.

#include "engine/io/ItemTexts.h"
#include "engine/io/JsonTree.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace lumora::engine {
namespace {

using Item = std::pair<std::size_t, std::string_view>;

std::vector<Item> itemsOf(const ItemTexts& texts) {
    std::vector<Item> items;
    for (const ItemTexts::Item& item : texts.items) {
        items.emplace_back(item.geometry, item.text);
    }
    return items;
}

// Catches a cut inside a string or a nested container, a geometry counted wrongly past an element
// that is no object, and a list's brackets lost from the rest.
TEST(ItemTextsTest, CutsEachItemWhereItsValueEnds) {
    const std::string text = R"({"units": 2, "geometries": [
        {"number": 1, "data": [ {"s": "]},[\"", "n": [1, {}]} , 2,"x"] },
        5,
        {"data": [], "name": "empty"},
        {"name": "last", "data": [[{"a": "}"}]]}
    ], "layers": []})";
    const std::optional<ItemTexts> texts = findItemTexts(text);
    ASSERT_TRUE(texts);
    EXPECT_THAT(itemsOf(*texts),
                ::testing::ElementsAre(Item{0, R"({"s": "]},[\"", "n": [1, {}]})"}, Item{0, "2"},
                                       Item{0, R"("x")"}, Item{3, R"([{"a": "}"}])"}));
    EXPECT_EQ(texts->rest, R"({"units": 2, "geometries": [
        {"number": 1, "data": [] },
        5,
        {"data": [], "name": "empty"},
        {"name": "last", "data": []}
    ], "layers": []})");
}

// Catches a scan that splits text a parser of the whole would read otherwise or refuse.
TEST(ItemTextsTest, LeavesWhatItCannotBeSureOfToOneParser) {
    for (const char* text : {
             R"({"geometries": [{"d\u0061ta": [1]}]})", // the parser reads the name as data
             R"({"geometries": [{"data": [1 2]}]})",    // no comma
             R"({"geometries": [{"data": [1]}]} x)",    // text after the document
             R"({"geometries": [{"data": ["1]}]})",     // a string that never ends
             R"({"geometries": [{"data": []}]})",       // nothing to share out
             R"([{"geometries": [{"data": [1]}]}])",    // not an object
         }) {
        EXPECT_FALSE(findItemTexts(text)) << text;
    }
}

// Where the parse fails; 0 when it does not.
template <class Parse> std::size_t faultByte(Parse&& parse) {
    try {
        [[maybe_unused]] const auto parsed = parse();
    } catch (const Json::parse_error& error) {
        return error.byte;
    }
    return 0;
}

std::string manyItems(std::size_t count, std::size_t faultAt) {
    std::string text = R"({"geometries": [{"data": [)";
    for (std::size_t i = 0; i < count; ++i) {
        if (i == count / 2 + 1) {
            text += R"(]}, {"data": [)"; // the second geometry's items
        } else if (i > 0) {
            text += ",";
        }
        text += i == faultAt ? std::string(R"({"i": 1,})") : R"({"i": )" + std::to_string(i) + "}";
    }
    return text + "]}]}";
}

// Catches ranges of items joined out of order or to the wrong geometry, and a fault in one item
// reported elsewhere than where one parser of the whole text finds it.
TEST(ItemTextsTest, ItemsParsedInRangesReadBackInOrderAndAFaultWhereTheWholeTextHasIt) {
    const std::size_t count = 3000;
    const DesignTree tree = parseDesignTree(manyItems(count, count));
    ASSERT_EQ(tree.items.count(0), count / 2 + 1);
    ASSERT_EQ(tree.items.count(1), count - count / 2 - 1);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t geometry = i <= count / 2 ? 0 : 1;
        ASSERT_EQ(tree.items.item(geometry, geometry == 0 ? i : i - count / 2 - 1)["i"], i) << i;
    }
    const std::string broken = manyItems(count, 2500);
    const std::size_t expected = faultByte([&] { return Json::parse(broken); });
    ASSERT_GT(expected, 0u);
    EXPECT_EQ(faultByte([&] { return parseDesignTree(broken); }), expected);
}

} // namespace
} // namespace lumora::engine
