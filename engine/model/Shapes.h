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

// A pad of one of KORVEN's pad shapes, centred on `at`. Round, square, octagon, target, donut and
// thermal pads use sizeX as their outer diameter (sizeY equals it); rectangles and oblongs are
// sizeX wide and sizeY high before rotation; complex pads are their `complex` shape.
struct Pad {
    int16_t shape = pad_shape::Round;
    int16_t spokes = 0; // thermal pads; beside the shape, where it takes no room of its own
    Point at{};
    double sizeX = 0;
    double sizeY = 0;
    double inner = 0;    // hole diameter of donut and thermal pads
    double rotation = 0; // degrees, counter-clockwise
    double spokeWidth = 0;
    // On the heap: most pads are not complex, and an item takes the room of its largest shape.
    HeapOptional<ComplexShape> complex{};
    bool operator==(const Pad&) const = default;
};

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
