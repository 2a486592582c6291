#pragma once

#include "engine/geom/Areas.h"
#include "engine/model/Items.h"

#include <boost/geometry/index/rtree.hpp>

#include <vector>

namespace lumora::engine {

// The areas of a geometry's items with an R-tree over their boxes, for the polygon operations.
class AreaIndex {
  public:
    explicit AreaIndex(const std::vector<DataItem>& data);

    const Area& area(std::size_t position) const { return areas_[position]; }
    // Positions of the items whose areas share a point with `area`, `position` itself excluded.
    std::vector<std::size_t> touching(const Area& area, std::size_t position) const;
    // True when the point lies in one of the areas or on its border.
    bool covers(Point point) const;

  private:
    using Entry = std::pair<Box, std::size_t>;
    std::vector<Area> areas_;
    boost::geometry::index::rtree<Entry, boost::geometry::index::quadratic<16>> tree_;
};

} // namespace lumora::engine
