#pragma once

#include "engine/geom/Areas.h"

#include <variant>

namespace lumora::engine {

// The centre lines items are drawn along, measured in closed form: no curve is ever made a polygon.
// A segment whose ends coincide is a point.
struct Segment {
    Point a{};
    Point b{};
};

// A circular arc running counter-clockwise from `start` over `sweep` radians, 0 < sweep <= 2 pi.
struct CircularArc {
    Point center{};
    double radius = 0;
    double start = 0;
    double sweep = 0;
};

// Degrees as the design gives them (a negative sweep runs clockwise) turned into a CircularArc.
CircularArc circularArc(Point center, double radius, double startDegrees, double sweepDegrees);

using Core = std::variant<Segment, CircularArc>;

// A core swept by a round pen reaching `reach` to every side: a trace with round ends, a disc, a
// band along an arc, a ring; with reach 0 the bare centre line.
struct Stroke {
    Core core{};
    double reach = 0;
};

// The shortest distance between two centre lines (0 when they cross or touch).
double coreDistance(const Core& a, const Core& b);
// The shortest distance between two strokes, 0 when they touch or overlap.
double strokeDistance(const Stroke& a, const Stroke& b);
// A point on the core, for inside tests.
Point pointOn(const Core& core);
// The smallest axis-parallel box around the stroke.
Box boxOf(const Stroke& stroke);

} // namespace lumora::engine
