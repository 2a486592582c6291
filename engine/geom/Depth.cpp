#include "engine/geom/Depth.h"

#include <algorithm>
#include <limits>

namespace lumora::engine {

namespace {

template <class Ring> double distanceToRing(const AreaPoint& point, const Ring& ring) {
    Path boundary(ring.begin(), ring.end());
    if (!boundary.empty() && !bg::equals(boundary.front(), boundary.back())) {
        boundary.push_back(boundary.front());
    }
    return bg::distance(point, boundary);
}

} // namespace

double depthIn(const Area& area, Point point) {
    const AreaPoint p(point.x, point.y);
    if (!bg::covered_by(p, area)) {
        return 0;
    }
    // The polygons of an area do not overlap, so the nearest border of any of them bounds the
    // polygon the point lies in.
    double nearest = std::numeric_limits<double>::infinity();
    for (const AreaPolygon& polygon : area) {
        nearest = std::min(nearest, distanceToRing(p, polygon.outer()));
        for (const auto& inner : polygon.inners()) {
            nearest = std::min(nearest, distanceToRing(p, inner));
        }
    }
    return nearest;
}

} // namespace lumora::engine
