#include "engine/io/NamePattern.h"

#include <cctype>
#include <stdexcept>

namespace lumora::engine {

namespace {

constexpr std::size_t kByteValues = 256;
constexpr std::size_t kWordBits = 64;

unsigned char lower(char c) {
    return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
}

} // namespace

NamePattern::Piece::Piece(std::string_view text)
    : length(text.size()), words((text.size() + kWordBits - 1) / kWordBits), masks(kByteValues * words) {
    for (std::size_t position = 0; position < text.size(); ++position) {
        const uint64_t bit = uint64_t{1} << (position % kWordBits);
        const std::size_t word = position / kWordBits;
        if (text[position] == '?') {
            for (std::size_t byte = 0; byte < kByteValues; ++byte) {
                masks[byte * words + word] |= bit;
            }
        } else {
            masks[lower(text[position]) * words + word] |= bit;
        }
    }
}

bool NamePattern::Piece::takes(unsigned char byte, std::size_t position) const {
    return (masks[byte * words + position / kWordBits] >> (position % kWordBits) & 1) != 0;
}

bool NamePattern::Piece::matchesAt(std::string_view name, std::size_t at) const {
    for (std::size_t i = 0; i < length; ++i) {
        if (!takes(lower(name[at + i]), i)) {
            return false;
        }
    }
    return true;
}

// Shift-and: bit i of the state is set while the piece's first i + 1 characters end at the byte
// just read.
std::size_t NamePattern::Piece::endOfFirst(std::string_view name, std::size_t from, std::size_t end) const {
    if (length == 0) {
        return from;
    }
    std::vector<uint64_t> state(words, 0);
    const std::size_t lastWord = (length - 1) / kWordBits;
    const uint64_t lastBit = uint64_t{1} << ((length - 1) % kWordBits);
    for (std::size_t at = from; at < end; ++at) {
        const uint64_t* mask = &masks[lower(name[at]) * words];
        uint64_t carry = 1; // a match may start at every byte
        for (std::size_t word = 0; word < words; ++word) {
            const uint64_t next = state[word] >> (kWordBits - 1);
            state[word] = ((state[word] << 1) | carry) & mask[word];
            carry = next;
        }
        if ((state[lastWord] & lastBit) != 0) {
            return at + 1;
        }
    }
    return std::string_view::npos;
}

NamePattern::NamePattern(std::string_view pattern) : text_(pattern) {
    if (pattern.size() > kMostCharacters) {
        throw std::length_error("a pattern is at most " + std::to_string(kMostCharacters) +
                                " characters, this one " + std::to_string(pattern.size()));
    }
    std::size_t start = 0;
    for (std::size_t star = pattern.find('*'); star != std::string_view::npos;
         star = pattern.find('*', start)) {
        pieces_.emplace_back(pattern.substr(start, star - start));
        start = star + 1;
    }
    pieces_.emplace_back(pattern.substr(start));
}

// The first piece stands at the start and the last at the end; the pieces between them are taken
// where they first end, which leaves the most room for the rest.
bool NamePattern::matches(std::string_view name) const {
    const Piece& first = pieces_.front();
    if (pieces_.size() == 1) {
        return name.size() == first.length && first.matchesAt(name, 0);
    }
    const Piece& last = pieces_.back();
    if (first.length + last.length > name.size()) {
        return false;
    }
    const std::size_t end = name.size() - last.length;
    if (!first.matchesAt(name, 0) || !last.matchesAt(name, end)) {
        return false;
    }
    std::size_t at = first.length;
    for (std::size_t piece = 1; piece + 1 < pieces_.size(); ++piece) {
        at = pieces_[piece].endOfFirst(name, at, end);
        if (at == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

} // namespace lumora::engine
