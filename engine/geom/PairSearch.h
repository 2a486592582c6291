#pragma once

#include "engine/geom/BoxIndex.h"

#include <cstddef>
#include <span>
#include <utility>
#include <vector>

namespace lumora::engine {

using IndexPair = std::pair<std::size_t, std::size_t>;

// Candidate pairs for a distance check: every pair (i, j), i < j, of boxes that come within
// `distance` of each other, in ascending order. The exact distance of the shapes inside is the
// caller's to measure.
std::vector<IndexPair> nearPairs(std::span<const Box> boxes, double distance,
                                 const ForEachIndex& forEach = oneAfterAnother);

// The same between two lists: pairs (i of first, j of second), in ascending order.
std::vector<IndexPair> nearPairs(std::span<const Box> first, std::span<const Box> second, double distance,
                                 const ForEachIndex& forEach = oneAfterAnother);

} // namespace lumora::engine
