#pragma once

#include "engine/geom/Areas.h"

namespace lumora::engine {

// How deep a point lies inside an area: the distance to the nearest point the area does not cover;
// 0 when the area does not cover the point.
double depthIn(const Area& area, Point point);

} // namespace lumora::engine
