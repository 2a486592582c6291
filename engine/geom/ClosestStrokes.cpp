#include "engine/geom/ClosestStrokes.h"

#include "engine/geom/PairSearch.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumora::engine {

namespace {

const double kFar = std::numeric_limits<double>::infinity();
// How many edges nearest to a stroke give the first bound of the distance.
constexpr std::size_t kNearestEdges = 4;
// Relative to the coordinates: far above rounding, far below anything measured.
constexpr double kRoundingMargin = 1e-9;

double boxGap(const Box& a, const Box& b) {
    const double dx =
        std::max({0.0, a.min_corner().x() - b.max_corner().x(), b.min_corner().x() - a.max_corner().x()});
    const double dy =
        std::max({0.0, a.min_corner().y() - b.max_corner().y(), b.min_corner().y() - a.max_corner().y()});
    return std::hypot(dx, dy);
}

double largestCoordinate(const Box& box) {
    return std::max({std::abs(box.min_corner().x()), std::abs(box.min_corner().y()),
                     std::abs(box.max_corner().x()), std::abs(box.max_corner().y())});
}

// The closest of the pairs that forEachPair offers, in its order.
template <typename ForEachPair>
double closestPair(const Strokes& first, const Strokes& second, ForEachPair forEachPair) {
    double best = kFar;
    forEachPair([&](std::size_t i, std::size_t j) {
        if (boxGap(boxOf(first.strokes[i]), boxOf(second.strokes[j])) < best) {
            best = std::min(best, strokeDistance(first.strokes[i], second.strokes[j]));
        }
        return best > 0;
    });
    return best;
}

double everyPair(const Strokes& first, const Strokes& second) {
    return closestPair(first, second, [&](const auto& visit) {
        for (std::size_t i = 0; i < first.strokes.size(); ++i) {
            for (std::size_t j = 0; j < second.strokes.size(); ++j) {
                if (!visit(i, j)) {
                    return;
                }
            }
        }
    });
}

// Any measured pair bounds the distance, and a pair whose boxes lie farther apart than the bound
// (plus a margin far above rounding) is passed over by every order of the pairs: the edges near
// each of the few strokes within that bound are all the pairs that can count.
double nearPairs(const Strokes& first, const Strokes& second) {
    const bool firstIndexed = first.edges && (!second.edges || first.strokes.size() >= second.strokes.size());
    const EdgeIndex& index = firstIndexed ? *first.edges : *second.edges;
    const std::vector<Stroke>& few = firstIndexed ? second.strokes : first.strokes;
    auto pairOf = [&](std::size_t stroke, std::size_t edge) {
        return firstIndexed ? IndexPair{edge, stroke} : IndexPair{stroke, edge};
    };
    double bound = kFar;
    for (std::size_t stroke = 0; stroke < few.size(); ++stroke) {
        for (const std::size_t edge : index.nearest(centreOf(boxOf(few[stroke])), kNearestEdges)) {
            const auto [i, j] = pairOf(stroke, edge);
            bound = std::min(bound, strokeDistance(first.strokes[i], second.strokes[j]));
        }
    }
    const double gap =
        bound + kRoundingMargin * (1 + bound + largestCoordinate(first.box) + largestCoordinate(second.box));
    std::vector<IndexPair> pairs;
    for (std::size_t stroke = 0; stroke < few.size(); ++stroke) {
        for (const std::size_t edge : index.near(boxOf(few[stroke]), gap)) {
            pairs.push_back(pairOf(stroke, edge));
        }
    }
    std::ranges::sort(pairs);
    return closestPair(first, second, [&](const auto& visit) {
        for (const auto& [i, j] : pairs) {
            if (!visit(i, j)) {
                return;
            }
        }
    });
}

} // namespace

double closestStrokes(const Strokes& first, const Strokes& second) {
    return first.edges || second.edges ? nearPairs(first, second) : everyPair(first, second);
}

} // namespace lumora::engine
