#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace lumora::manifest {

// Slice K of N of a manifest (K from 1): the designs at positions K-1, K-1+N, K-1+2N... Dealt out
// in turn rather than in blocks, so that a manifest sorted by size or by customer spreads its large
// boards over the tasks; the slices together hold every design once.
struct Slice {
    std::size_t number = 1;
    std::size_t count = 1;

    bool holds(std::size_t position) const { return position % count == number - 1; }
};

// "K/N" with 1 <= K <= N; nullopt for anything else.
std::optional<Slice> parseSlice(std::string_view text);

} // namespace lumora::manifest
