#include "engine/geom/EdgeIndex.h"

#include "engine/geom/BoxIndex.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumora::engine {

namespace bgi = boost::geometry::index;

namespace {

// The shortest ring that encloses anything: three corners and the closing point.
constexpr std::size_t kShortestRing = 4;

} // namespace

EdgeIndex::EdgeIndex(const AreaPolygon& polygon) {
    auto addRing = [&](const auto& ring) {
        const std::size_t number = countedRings_.size();
        countedRings_.push_back(ring.size() >= kShortestRing);
        for (std::size_t i = 0; i + 1 < ring.size(); ++i) {
            edges_.push_back({ring[i], ring[i + 1], number});
        }
    };
    addRing(polygon.outer());
    for (const auto& inner : polygon.inners()) {
        addRing(inner);
    }
    std::vector<Entry> entries;
    entries.reserve(edges_.size());
    for (std::size_t position = 0; position < edges_.size(); ++position) {
        const Edge& edge = edges_[position];
        entries.emplace_back(
            Box({std::min(edge.from.x(), edge.to.x()), std::min(edge.from.y(), edge.to.y())},
                {std::max(edge.from.x(), edge.to.x()), std::max(edge.from.y(), edge.to.y())}),
            position);
    }
    tree_ = decltype(tree_)(entries.begin(), entries.end());
}

std::vector<std::size_t> EdgeIndex::near(const Box& box, double gap) const {
    std::vector<std::size_t> found;
    for (auto it = tree_.qbegin(bgi::intersects(grown(box, gap))); it != tree_.qend(); ++it) {
        found.push_back(it->second);
    }
    std::ranges::sort(found);
    return found;
}

std::vector<std::size_t> EdgeIndex::nearest(Point p, std::size_t count) const {
    std::vector<std::size_t> found;
    for (auto it = tree_.qbegin(bgi::nearest(AreaPoint(p.x, p.y), static_cast<unsigned>(count)));
         it != tree_.qend(); ++it) {
        found.push_back(it->second);
    }
    return found;
}

int EdgeIndex::ringCode(Point p, std::span<const std::size_t> positions) const {
    const bg::strategy::within::cartesian_winding<> winding;
    decltype(winding)::state_type state;
    const AreaPoint point(p.x, p.y);
    for (const std::size_t position : positions) {
        if (!winding.apply(point, edges_[position].from, edges_[position].to, state)) {
            break;
        }
    }
    return winding.result(state);
}

// The winding count of a ring changes only at edges that reach p's x, compared within a relative
// epsilon; edges a little farther out add nothing, so the band is a little wider than that epsilon.
// The rings are then judged as bg::covered_by judges a polygon: inside the outer ring and in no hole.
bool EdgeIndex::covers(Point p) const {
    const double tolerance = 4 * std::numeric_limits<double>::epsilon() * std::max(1.0, std::abs(p.x));
    const auto bounds = tree_.bounds();
    const Box band({p.x - tolerance, bg::get<bg::min_corner, 1>(bounds)},
                   {p.x + tolerance, bg::get<bg::max_corner, 1>(bounds)});
    std::vector<std::size_t> reaching;
    for (auto it = tree_.qbegin(bgi::intersects(band)); it != tree_.qend(); ++it) {
        reaching.push_back(it->second);
    }
    std::ranges::sort(reaching);

    // Rings come in order; a ring the band does not reach leaves p outside it.
    auto next = reaching.begin();
    auto codeOfRing = [&](std::size_t ring) {
        const auto end = std::find_if(next, reaching.end(),
                                      [&](std::size_t position) { return edges_[position].ring != ring; });
        const std::span<const std::size_t> ofRing(next, end);
        next = end;
        return countedRings_[ring] ? ringCode(p, ofRing) : -1;
    };
    if (const int outer = codeOfRing(0); outer != 1) {
        return outer == 0;
    }
    while (next != reaching.end()) {
        if (const int hole = codeOfRing(edges_[*next].ring); hole != -1) {
            return hole == 0; // on a hole's border is on the polygon's
        }
    }
    return true;
}

} // namespace lumora::engine
