#pragma once

#include "engine/geom/Areas.h"

#include <boost/geometry/index/rtree.hpp>

#include <cstddef>
#include <functional>
#include <span>
#include <utility>
#include <vector>

namespace lumora::engine {

// Calls body(n) for every n in [0, count), in any order and on any threads; the searches query the
// index for ranges of boxes this way. By default one after the other on the caller's thread.
using ForEachIndex = std::function<void(std::size_t count, const std::function<void(std::size_t)>& body)>;
void oneAfterAnother(std::size_t count, const std::function<void(std::size_t)>& body);

// A box grown by `distance` on every side.
Box grown(const Box& box, double distance);

// R-trees over a list of boxes, for every search of items near other items. A large list is split
// at medians into cells of a k-d tree, each cell's tree packed apart through forEach: packing a
// board's million boxes into one tree kept one core busy and the other idle.
class BoxIndex {
  public:
    explicit BoxIndex(std::span<const Box> boxes, const ForEachIndex& forEach = oneAfterAnother);
    // The positions of the boxes that come within `distance` of `box` (touching included), in
    // ascending order.
    std::vector<std::size_t> near(const Box& box, double distance) const;
    // The same into found, whose room is kept: a search of a million boxes allocated a list each.
    void near(const Box& box, double distance, std::vector<std::size_t>& found) const;

  private:
    using Entry = std::pair<Box, std::size_t>;
    using Tree = boost::geometry::index::rtree<Entry, boost::geometry::index::rstar<16>>;
    std::vector<Tree> trees_;
    std::vector<Tree::bounds_type> bounds_; // of each tree: a search passes over the trees it does not meet
};

} // namespace lumora::engine
