#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::engine {

// A pattern that names match: "*" stands for any text, "?" for one character, and case does not
// matter ("Fiducial*", "TP?"). Matching takes time linear in the name: the pattern is cut at its
// stars into pieces, each piece is found where it first ends after the one before it, and a piece
// is searched for with one bit per character of it, a few machine words at most.
class NamePattern {
  public:
    // Longer patterns would make the bits of a piece more than a few words; no name needs them.
    static constexpr std::size_t kMostCharacters = 256;

    // Throws std::length_error for a pattern longer than kMostCharacters. Implicit, so that tables
    // of patterns read as lists of texts.
    NamePattern(std::string_view pattern);
    NamePattern(const char* pattern) : NamePattern(std::string_view(pattern)) {}

    bool matches(std::string_view name) const;
    const std::string& text() const { return text_; }

  private:
    // The text between two stars; `masks` holds, for every byte value, one bit per position of the
    // piece that the (lower-cased) byte may stand at.
    struct Piece {
        std::size_t length = 0;
        std::size_t words = 0;
        std::vector<uint64_t> masks{};

        explicit Piece(std::string_view text);
        bool takes(unsigned char byte, std::size_t position) const;
        bool matchesAt(std::string_view name, std::size_t at) const;
        // Where its first occurrence in name[from, end) ends, or npos.
        std::size_t endOfFirst(std::string_view name, std::size_t from, std::size_t end) const;
    };

    std::string text_;
    std::vector<Piece> pieces_; // one more than the stars
};

} // namespace lumora::engine
