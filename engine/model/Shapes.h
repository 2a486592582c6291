#pragma once

#include "engine/model/CodeNames.h"
#include "engine/model/HeapOptional.h"

#include <cstdint>
#include <optional>
#include <span>
#include <variant>
#include <vector>

namespace lumora::engine {

struct Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point&) const = default;
};

using Ring = std::vector<Point>; // closed implicitly: the last point joins the first

// A complex pad's outline, relative to the pad's centre, each corner rounded by its radius in
// cornerRadii (engine/model/RoundedCorners.h) when it has any.
struct ComplexShape {
    Ring outline{};
    std::optional<std::vector<double>> cornerRadii{};
    bool operator==(const ComplexShape&) const = default;
};

// The hole of a donut or thermal pad (its diameter) and a thermal pad's spoke width.
struct PadRing {
    double inner = 0;
    double spokeWidth = 0;
    bool operator==(const PadRing&) const = default;
};

// A pad of one of KORVEN's pad shapes, centred on `at`. Round, square, octagon, target, donut and
// thermal pads use sizeX as their outer diameter (sizeY equals it); rectangles and oblongs are
// sizeX wide and sizeY high before rotation; complex pads are their `complex` shape.
struct Pad {
    int16_t shape = pad_shape::Round;
    int16_t spokes = 0; // thermal pads; beside the shape, where it takes no room of its own
    Point at{};
    double sizeX = 0;
    double sizeY = 0;
    double rotation = 0; // degrees, counter-clockwise
    // On the heap, as most pads have neither, and an item takes the room of its largest shape.
    HeapOptional<PadRing> ring{}; // none when both its sizes are 0 (padRing)
    HeapOptional<ComplexShape> complex{};
    bool operator==(const Pad&) const = default;
};

// A pad's ring of these sizes: none when both are 0, so that pads without one compare equal.
inline HeapOptional<PadRing> padRing(double inner, double spokeWidth = 0) {
    return inner != 0 || spokeWidth != 0 ? HeapOptional<PadRing>(PadRing{inner, spokeWidth})
                                         : HeapOptional<PadRing>();
}
inline double innerOf(const Pad& pad) {
    return pad.ring ? pad.ring->inner : 0;
}
inline double spokeWidthOf(const Pad& pad) {
    return pad.ring ? pad.ring->spokeWidth : 0;
}

// A complex pad's outline; none for other pads.
inline std::span<const Point> outlineOf(const Pad& pad) {
    return pad.complex ? std::span<const Point>(pad.complex->outline) : std::span<const Point>();
}

// Whether a complex pad's corners are rounded (their radii given, even if 0).
inline bool hasCornerRadii(const Pad& pad) {
    return pad.complex && pad.complex->cornerRadii.has_value();
}

// A complex pad's corner radii, none when its corners are sharp.
inline std::span<const double> cornerRadiiOf(const Pad& pad) {
    return hasCornerRadii(pad) ? std::span<const double>(*pad.complex->cornerRadii)
                               : std::span<const double>();
}

struct Line {
    Point from{};
    Point to{};
    double width = 0;
    bool operator==(const Line&) const = default;
};

// Angles in degrees; a positive sweep runs counter-clockwise from start.
struct Arc {
    Point center{};
    double radius = 0;
    double start = 0;
    double sweep = 0;
    double width = 0;
    bool operator==(const Arc&) const = default;
};

// A filled disc when width is 0, else a ring drawn with that pen width.
struct Circle {
    Point center{};
    double radius = 0;
    double width = 0;
    bool operator==(const Circle&) const = default;
};

// A filled area.
struct Polygon {
    Ring outline{};
    std::vector<Ring> holes{};
    bool operator==(const Polygon&) const = default;
};

// The insertion point of an insert, flattened on its own.
struct Mark {
    Point at{};
    bool operator==(const Mark&) const = default;
};

using Shape = std::variant<Pad, Line, Arc, Circle, Polygon, Mark>;

} // namespace lumora::engine
