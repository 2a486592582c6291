// The design reader keeps a design's items as MessagePack written straight from the parser's
// events: each item must read back as the tree nlohmann's parser builds from its text, number
// types and member order included.

#include "engine/io/MessagePack.h"
#include "engine/io/JsonTree.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace lumora::engine {
namespace {

std::string designWithItems(const std::vector<std::string>& items) {
    std::string text = R"({"geometries": [{"data": [)";
    for (std::size_t i = 0; i < items.size(); ++i) {
        text += (i > 0 ? "," : "") + items[i];
    }
    return text + "]}]}";
}

TEST(ItemStore, ItemsReadBackAsTheParserReadsTheirText) {
    std::string members;
    for (int i = 0; i < 300; ++i) {
        members += (i > 0 ? ",\"" : "\"") + std::to_string(i) + "\": [" + std::to_string(i) + ", -" +
                   std::to_string(i) + "]";
    }
    const std::vector<std::string> items = {
        R"({"numbers": [0, 127, 128, 255, 256, 65535, 65536, 4294967295, 4294967296, 18446744073709551615,
            -1, -32, -33, -9223372036854775808, 0.5, -2.25, 1e300, 3.0, 12.5e-3]})",
        "{\"texts\": [\"\", \"a\", \"" + std::string(31, 'x') + "\", \"" + std::string(32, 'y') + "\", \"" +
            std::string(300, 'z') + "\", \"" + std::string(70000, 'w') + "\", \"gr\\u00fc\\u00dfe\"]}",
        R"({"flags": [true, false, null], "empty": {"array": [], "object": {}}, "nested": [[[{"a": [1]}]]]})",
        "{" + members + "}",
        R"("a text where an item belongs")",
        "42",
        "[]",
    };
    const DesignTree tree = parseDesignTree(designWithItems(items));
    ASSERT_EQ(tree.items.count(0), items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Json expected = Json::parse(items[i]);
        const Json read = tree.items.item(0, i);
        EXPECT_EQ(read, expected) << i;
        EXPECT_EQ(read.dump(), expected.dump()) << i; // member order too
    }
    const Json numbers = tree.items.item(0, 0)["numbers"];
    EXPECT_TRUE(numbers[1].is_number_unsigned());
    EXPECT_TRUE(numbers[10].is_number_integer() && !numbers[10].is_number_unsigned());
    EXPECT_TRUE(numbers[17].is_number_float());
    EXPECT_TRUE(tree.root["geometries"][0]["data"].empty()); // the tree holds none of them
}

// Containers of 65,536 values and more, which nlohmann's own parser takes minutes to build as an
// object (it searches its members at each new one).
TEST(ItemStore, HoldsTheLargestContainers) {
    Json expected = Json::object();
    auto& members = static_cast<Json::object_t::Container&>(expected.get_ref<Json::object_t&>());
    std::string text = "{";
    for (int i = 0; i < 70000; ++i) {
        members.emplace_back(std::to_string(i), Json::array({i, -i}));
        text += (i > 0 ? ",\"" : "\"") + std::to_string(i) + "\": [" + std::to_string(i) + ", -" +
                std::to_string(i) + "]";
    }
    members.emplace_back("list", Json(std::vector<int>(70000, 7)));
    text += ", \"list\": [7";
    for (int i = 1; i < 70000; ++i) {
        text += ",7";
    }
    text += "]}";
    EXPECT_EQ(parseDesignTree(designWithItems({text})).items.item(0, 0), expected);
}

TEST(ItemStore, NestingDeeperThanTheStackAndDamagedBytesAreNoCrash) {
    std::vector<std::uint8_t> deep;
    MessagePackWriter writer(deep);
    for (int i = 0; i < 1'000'000; ++i) {
        writer.startArray();
    }
    for (int i = 0; i < 1'000'000; ++i) {
        writer.end();
    }
    Json nested = unpackMessagePack(deep);
    EXPECT_TRUE(nested.is_array());
    nested = nullptr; // nlohmann frees nested trees without recursion too

    std::vector<std::uint8_t> bytes;
    MessagePackWriter item(bytes);
    item.startObject();
    item.key("name");
    item.text("R1");
    item.key("at");
    item.startArray();
    item.number(1.5);
    item.unsignedInteger(2);
    item.end();
    item.end();
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        EXPECT_THROW(unpackMessagePack(std::span(bytes).first(cut)), DesignFormatError) << cut;
    }
    bytes.push_back(0xC0);
    EXPECT_THROW(unpackMessagePack(bytes), DesignFormatError);
    EXPECT_THROW(unpackMessagePack(std::vector<std::uint8_t>{0xDF, 0, 0, 0, 1, 0x01, 0xC0}),
                 DesignFormatError);
}

} // namespace
} // namespace lumora::engine
