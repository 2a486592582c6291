#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::engine {

// A design file's text taken apart for parsing on several threads: the text with every geometry's
// "data" list emptied, and the text of each element those lists held.
struct ItemTexts {
    struct Item {
        std::size_t geometry; // position in the file's geometry list
        std::string_view text;
    };
    std::string rest;
    std::vector<Item> items;
};

// Finds the lists by the file's structure alone, without reading any value: the parsers of the rest
// and of each item judge those. Nothing when the text is not shaped as a design file with such lists
// (a syntax error, a name written with escapes), so that the whole text goes to one parser.
std::optional<ItemTexts> findItemTexts(std::string_view text);

} // namespace lumora::engine
