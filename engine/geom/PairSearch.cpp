#include "engine/geom/PairSearch.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace lumora::engine {

namespace {

// The pairs of every query box with the index's boxes it passes `keep`, in ascending order; the
// queries run in ranges, each range's pairs in a list of its own, joined in order at the end.
template <class Keep>
std::vector<IndexPair> pairsOf(const BoxIndex& index, std::span<const Box> queries, double distance,
                               Keep keep, const ForEachIndex& forEach) {
    constexpr std::size_t kRange = 512;
    std::vector<std::vector<IndexPair>> ranges((queries.size() + kRange - 1) / kRange);
    forEach(ranges.size(), [&](std::size_t r) {
        std::vector<std::size_t> found;
        for (std::size_t i = r * kRange; i < std::min(queries.size(), (r + 1) * kRange); ++i) {
            index.near(queries[i], distance, found);
            for (std::size_t j : found) {
                if (keep(i, j)) {
                    ranges[r].emplace_back(i, j);
                }
            }
        }
    });
    std::size_t total = 0;
    for (const auto& range : ranges) {
        total += range.size();
    }
    std::vector<IndexPair> pairs;
    pairs.reserve(total);
    for (const auto& range : ranges) {
        pairs.insert(pairs.end(), range.begin(), range.end());
    }
    return pairs;
}

// More than the rounding of any bound of these boxes grown by distance.
double roundingSlack(std::span<const Box> first, std::span<const Box> second, double distance) {
    double largest = std::abs(distance);
    for (std::span<const Box> boxes : {first, second}) {
        for (const Box& box : boxes) {
            largest = std::max({largest, std::abs(box.min_corner().x()), std::abs(box.min_corner().y()),
                                std::abs(box.max_corner().x()), std::abs(box.max_corner().y())});
        }
    }
    return 8 * std::numeric_limits<double>::epsilon() * (largest + std::abs(distance));
}

} // namespace

std::vector<IndexPair> nearPairs(std::span<const Box> boxes, double distance, const ForEachIndex& forEach) {
    return pairsOf(
        BoxIndex(boxes, forEach), boxes, distance, [](std::size_t i, std::size_t j) { return j > i; },
        forEach);
}

std::vector<IndexPair> nearPairs(std::span<const Box> first, std::span<const Box> second, double distance,
                                 const ForEachIndex& forEach) {
    if (first.empty() || second.empty()) {
        return {};
    }
    if (first.size() >= second.size()) {
        return pairsOf(
            BoxIndex(second, forEach), first, distance, [](std::size_t, std::size_t) { return true; },
            forEach);
    }
    // The smaller list indexed: a few keepout areas against a board's million items packed an R-tree
    // of the million on one thread. Grown from the other side, a box's bounds round differently: the
    // query reaches a little further, and each pair is kept by the test a query of first makes.
    const double reach = distance + roundingSlack(first, second, distance);
    std::vector<IndexPair> pairs = pairsOf(
        BoxIndex(first, forEach), second, reach,
        [&](std::size_t j, std::size_t i) { return bg::intersects(grown(first[i], distance), second[j]); },
        forEach);
    for (IndexPair& pair : pairs) {
        std::swap(pair.first, pair.second);
    }
    std::ranges::sort(pairs);
    return pairs;
}

} // namespace lumora::engine
