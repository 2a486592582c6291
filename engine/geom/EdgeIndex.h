#pragma once

#include "engine/geom/Areas.h"

#include <boost/geometry/index/rtree.hpp>

#include <cstddef>
#include <span>
#include <vector>

namespace lumora::engine {

// The edges of one polygon with many of them (a zone fill has tens of thousands), in an R-tree over
// their boxes: the edges near an item and whether a point lies inside come from the few edges close
// by, not from all of them. Edges are numbered in ring order, outer ring first, then each hole, as
// the footprints stroke them.
class EdgeIndex {
  public:
    explicit EdgeIndex(const AreaPolygon& polygon);

    // Positions of the edges whose boxes come within `gap` of `box`, touching included, ascending.
    std::vector<std::size_t> near(const Box& box, double gap) const;
    // Positions of the `count` edges whose boxes lie nearest to the point.
    std::vector<std::size_t> nearest(Point p, std::size_t count) const;
    // Exactly bg::covered_by(p, polygon): the same winding count, from the edges whose x-range reaches
    // p, the only ones that count.
    bool covers(Point p) const;

  private:
    struct Edge {
        AreaPoint from;
        AreaPoint to;
        std::size_t ring;
    };
    using Entry = std::pair<Box, std::size_t>;

    // Where p lies against one ring from its edges `positions` (ascending): 1 inside, 0 on the ring,
    // -1 outside.
    int ringCode(Point p, std::span<const std::size_t> positions) const;

    std::vector<Edge> edges_;
    std::vector<bool> countedRings_; // rings too short to enclose anything do not count
    boost::geometry::index::rtree<Entry, boost::geometry::index::rstar<16>> tree_;
};

} // namespace lumora::engine
