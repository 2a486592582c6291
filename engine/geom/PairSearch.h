#pragma once

#include "engine/geom/BoxIndex.h"

#include <cstddef>
#include <functional>
#include <span>
#include <utility>
#include <vector>

namespace lumora::engine {

using IndexPair = std::pair<std::size_t, std::size_t>;

// Calls body(n) for every n in [0, count), in any order and on any threads; the searches below
// query the index for ranges of boxes this way. By default one after the other on the caller's
// thread.
using ForEachIndex = std::function<void(std::size_t count, const std::function<void(std::size_t)>& body)>;
void oneAfterAnother(std::size_t count, const std::function<void(std::size_t)>& body);

// Candidate pairs for a distance check: every pair (i, j), i < j, of boxes that come within
// `distance` of each other, in ascending order. The exact distance of the shapes inside is the
// caller's to measure.
std::vector<IndexPair> nearPairs(std::span<const Box> boxes, double distance,
                                 const ForEachIndex& forEach = oneAfterAnother);

// The same between two lists: pairs (i of first, j of second), in ascending order.
std::vector<IndexPair> nearPairs(std::span<const Box> first, std::span<const Box> second, double distance,
                                 const ForEachIndex& forEach = oneAfterAnother);

} // namespace lumora::engine
