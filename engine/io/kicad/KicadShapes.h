#pragma once

#include "engine/io/kicad/SExpression.h"
#include "engine/model/Shapes.h"

#include <optional>
#include <vector>

namespace lumora::engine::kicad {

// How KiCad coordinates become design coordinates. KiCad's y runs down the page; the design's runs
// up, so board items have y negated. Footprint items are read in the frame of their component
// geometry (docs/kicad-import.md): negated on the front, as written on the back.
struct Frame {
    bool negateY = true;
    Point point(double x, double y) const { return {x, negateY ? -y : y}; }
    // The point of an (xy x y), (at x y), (start x y) ... list.
    Point point(const sexpr::Expr& list) const { return point(list.number(1), list.number(2)); }
};

// The arc through three points, its sweep running from start through mid to end.
std::optional<Arc> arcThrough(Point start, Point mid, Point end, double width);

// The pen width of a drawing: (width w) or (stroke (width w)).
double strokeWidth(const sexpr::Expr& drawing);

// The shapes of a drawing (gr_/fp_ line, arc, circle, rect, poly; bare line, arc, circle, rect,
// poly for custom pad primitives); none for texts and anything else. Polygons are areas; unfilled
// rectangles are their four sides.
std::vector<Shape> drawingShapes(const sexpr::Expr& drawing, const Frame& frame);

// The points of a (pts ...) list, arcs in it as chords.
Ring polygonPoints(const sexpr::Expr& pts, const Frame& frame);

} // namespace lumora::engine::kicad
