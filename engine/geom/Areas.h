#pragma once

#include "engine/model/Shapes.h"

#include <boost/geometry.hpp>
#include <boost/geometry/geometries/box.hpp>
#include <boost/geometry/geometries/linestring.hpp>
#include <boost/geometry/geometries/multi_polygon.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>

namespace lumora::engine {

namespace bg = boost::geometry;
using AreaPoint = bg::model::d2::point_xy<double>;
using AreaPolygon = bg::model::polygon<AreaPoint>;
using Area = bg::model::multi_polygon<AreaPolygon>;
using Box = bg::model::box<AreaPoint>;
using Path = bg::model::linestring<AreaPoint>;

// The copper (or other material) a shape covers. Curves become polygons with a chord error far
// below any manufacturing tolerance; marks and zero-width lines cover nothing.
Area areaOf(const Shape& shape);

// The centre lines of lines and arcs, arcs in the chords their areas use.
Path pathOf(const Line& line);
Path pathOf(const Arc& arc);

// The smallest axis-parallel box around the shape, points and pens included; nothing for an
// empty shape.
std::optional<Box> extentOf(const Shape& shape);

// The shape of one polygon of an area, as a design item.
Polygon toPolygon(const AreaPolygon& polygon);
// A box as an area.
AreaPolygon boxPolygon(const Box& box);
Point centreOf(const Box& box);

Area unite(const Area& a, const Area& b);
// The union of many areas, united in pairs, then pairs of pairs, and so on: each step joins areas
// of about equal size, where adding them one at a time redoes the growing whole for every piece.
Area uniteAll(std::vector<Area> areas);

} // namespace lumora::engine
