// The design reader's item store decodes its own MessagePack: the trees must be the ones
// nlohmann's decoder builds, number types included, for every encoding nlohmann writes.

#include "engine/io/MessagePack.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace lumora::engine {
namespace {

std::vector<std::uint8_t> packed(const Json& value) {
    return Json::to_msgpack(value);
}

TEST(MessagePack, DecodesEveryEncodingAsNlohmannDoes) {
    Json value = Json::object();
    value["numbers"] = {0,
                        127,
                        128,
                        255,
                        256,
                        65535,
                        65536,
                        std::numeric_limits<std::uint32_t>::max(),
                        std::numeric_limits<std::uint64_t>::max(),
                        -1,
                        -32,
                        -33,
                        -128,
                        -129,
                        -32768,
                        -32769,
                        std::numeric_limits<std::int64_t>::min(),
                        0.5,
                        -2.25,
                        1e300,
                        3.0};
    value["texts"] = {"",
                      "a",
                      std::string(31, 'x'),
                      std::string(32, 'y'),
                      std::string(300, 'z'),
                      std::string(70000, 'w'),
                      "gr\u00fc\u00dfe"};
    value["flags"] = {true, false, nullptr};
    value["empty"] = {{"array", Json::array()}, {"object", Json::object()}};
    Json members = Json::object();
    for (int i = 0; i < 300; ++i) {
        members[std::to_string(i)] = Json::array({i, -i});
    }
    value["members"] = members;
    value["long list"] = Json(std::vector<int>(20, 7));
    const std::vector<std::uint8_t> bytes = packed(value);
    const Json ours = unpackMessagePack(bytes);
    const Json theirs = Json::from_msgpack(bytes);
    EXPECT_EQ(ours, theirs);
    EXPECT_EQ(ours.dump(), theirs.dump()); // member order too
    EXPECT_TRUE(ours["numbers"][1].is_number_unsigned());
    EXPECT_TRUE(ours["numbers"][9].is_number_integer() && !ours["numbers"][9].is_number_unsigned());
    EXPECT_TRUE(ours["numbers"][17].is_number_float());
}

// Containers of 65,536 or more values have headers of their own; nlohmann's decoder takes
// minutes for such an object (it searches the members at each one), so these compare with the
// value packed.
TEST(MessagePack, DecodesTheLargestContainers) {
    Json value = Json::object();
    auto& members = static_cast<Json::object_t::Container&>(value.get_ref<Json::object_t&>());
    for (int i = 0; i < 70000; ++i) {
        members.emplace_back(std::to_string(i), Json::array({i, -i}));
    }
    value["list"] = Json(std::vector<int>(70000, 7));
    EXPECT_EQ(unpackMessagePack(packed(value)), value);
}

TEST(MessagePack, NestingDeeperThanTheStackAndDamagedBytesAreNoCrash) {
    std::vector<std::uint8_t> deep(1'000'000, 0x91); // [[[[... a million levels
    deep.push_back(0xC0);
    Json nested = unpackMessagePack(deep);
    EXPECT_TRUE(nested.is_array());
    nested = nullptr; // nlohmann frees nested trees without recursion too

    const std::vector<std::uint8_t> bytes = packed({{"name", "R1"}, {"at", {1.5, 2}}});
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        EXPECT_THROW(unpackMessagePack(std::span(bytes).first(cut)), DesignFormatError) << cut;
    }
    std::vector<std::uint8_t> trailing = bytes;
    trailing.push_back(0xC0);
    EXPECT_THROW(unpackMessagePack(trailing), DesignFormatError);
    EXPECT_THROW(unpackMessagePack(std::vector<std::uint8_t>{0xDF, 0xFF, 0xFF, 0xFF, 0xFF}),
                 DesignFormatError);
    EXPECT_THROW(unpackMessagePack(std::vector<std::uint8_t>{0x81, 0x01, 0xC0}), DesignFormatError); // name 1
    EXPECT_THROW(unpackMessagePack(std::vector<std::uint8_t>{0xC4, 0x00}), DesignFormatError);       // binary
}

} // namespace
} // namespace lumora::engine
