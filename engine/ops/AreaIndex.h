#pragma once

#include "engine/geom/Areas.h"
#include "engine/model/Items.h"

#include <boost/geometry/index/rtree.hpp>

#include <vector>

namespace lumora::engine {

// Areas with an R-tree over their boxes, for the polygon operations and the point tests: a question
// about a point or an area looks only at the few areas whose boxes it meets.
class AreaIndex {
  public:
    explicit AreaIndex(std::vector<Area> areas);
    // The areas of a geometry's items, at their data positions (empty for items that are no graphic).
    explicit AreaIndex(const std::vector<DataItem>& data);

    const Area& area(std::size_t position) const { return areas_[position]; }
    // Positions of the areas that share a point with `area`, `position` itself excluded.
    std::vector<std::size_t> touching(const Area& area, std::size_t position) const;
    // True when the point lies in one of the areas or on its border, that is, in their union.
    bool covers(Point point) const;

  private:
    using Entry = std::pair<Box, std::size_t>;
    std::vector<Area> areas_;
    boost::geometry::index::rtree<Entry, boost::geometry::index::quadratic<16>> tree_;
};

} // namespace lumora::engine
