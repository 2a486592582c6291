#include "files/Utf8.h"

#include <gtest/gtest.h>

#include <string_view>

namespace lumora::files {
namespace {

using namespace std::string_view_literals;

// Well-formed text of one to four bytes a character passes; each ill-formed sequence is found at
// its first byte: a stray continuation, a sequence cut short, overlong forms, surrogates, and
// code points above U+10FFFF.
TEST(Utf8Test, FindsTheFirstByteOfAnIllFormedSequence) {
    constexpr std::size_t npos = std::string_view::npos;
    EXPECT_EQ(firstInvalidUtf8("R1 \xC3\x96hm \xE2\x82\xAC \xF0\x9F\x94\x8C"sv), npos);
    EXPECT_EQ(firstInvalidUtf8("\xEF\xBF\xBF\xF4\x8F\xBF\xBF"sv), npos); // U+FFFF, U+10FFFF
    const std::pair<std::string_view, std::size_t> kIllFormed[] = {
        {"C\xB6stom"sv, 1},        {"ab\xC3"sv, 2},       {"\xE2\x82"sv, 0},
        {"x\xC0\x80"sv, 1},        {"\xC1\xBF"sv, 0},     {"\xE0\x9F\xBF"sv, 0},
        {"\xF0\x8F\xBF\xBF"sv, 0}, {"\xED\xA0\x80"sv, 0}, {"\xF4\x90\x80\x80"sv, 0},
        {"\xF5\x80\x80\x80"sv, 0}, {"\xE2\x28\xA1"sv, 0}, {"ok\xFF"sv, 2},
    };
    for (const auto& [text, at] : kIllFormed) {
        EXPECT_EQ(firstInvalidUtf8(text), at) << testing::PrintToString(text);
    }
}

} // namespace
} // namespace lumora::files
