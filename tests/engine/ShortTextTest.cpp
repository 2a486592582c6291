// Names kept in 16 bytes: the edge between inline and heap, and copies that outlive their source.

#include "engine/model/ShortText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace lumora::engine::test {
namespace {

// Catches a text cut at the edge of the inline room (15 characters) or at the first on the heap,
// and a count read from the wrong bytes once a text lives on the heap.
TEST(ShortText, KeepsEveryLengthWhole) {
    for (const std::string text :
         {"", "U1", "123456789012345", "1234567890123456", "B12/U1234 on a long board name"}) {
        EXPECT_EQ(ShortText(text).view(), text);
        EXPECT_EQ(ShortText(text).empty(), text.empty());
    }
}

// Catches a copy or an assignment that shares a long text's heap block with its source (freed
// twice, or read after the source went: AddressSanitizer names either), and a moved-from text
// that still claims the block.
TEST(ShortText, CopiesAndMovesOwnTheirText) {
    const std::string longText(40, 'x');
    std::vector<ShortText> texts;
    {
        ShortText source(longText);
        texts.push_back(source);
        ShortText assigned("U7");
        assigned = source;
        texts.push_back(std::move(assigned));
        EXPECT_TRUE(assigned.empty());
        ShortText moved = std::move(source);
        texts.push_back(moved);
        const ShortText& same = moved;
        moved = same;
        EXPECT_EQ(moved, longText);
    }
    for (const ShortText& text : texts) {
        EXPECT_EQ(text, longText);
    }
    texts.front() = ShortText("R5");
    EXPECT_EQ(texts.front(), "R5");
    EXPECT_EQ(texts.back(), ShortText(longText));
}

} // namespace
} // namespace lumora::engine::test
