#pragma once

#include "engine/geom/Transform.h"
#include "engine/io/ipc2581/XmlRecords.h"
#include "engine/model/Shapes.h"

#include <optional>
#include <string_view>
#include <vector>

namespace lumora::engine::ipc2581 {

// Millimetres per unit of a units attribute (MILLIMETER, MICRON, INCH); none for others.
std::optional<double> millimetresPer(std::string_view units);

// The factor that turns numbers written in `from` units into `to` units: exactly 1 when they agree.
double unitFactor(std::string_view from, std::string_view to);

// Reads an element's numbers as lengths of the design: each times the factor of its units.
struct Lengths {
    double factor = 1;

    double of(const XmlElement& element, std::string_view attribute) const {
        return element.number(attribute) * factor;
    }
    // A size (width, diameter ...): 0 or more, refused where it stands when negative.
    double size(const XmlElement& element, std::string_view attribute) const;
    Point point(const XmlElement& element, std::string_view x = "x", std::string_view y = "y") const {
        return {of(element, x), of(element, y)};
    }
};

// The placement an Xform (optional) and a location give: IPC-2581 turns counter-clockwise, then
// mirrors x, then scales, then moves by the Xform's offsets and the location. KORVEN mirrors
// before it turns, so a mirrored placement's angle is the negative of the file's.
Transform placementOf(const std::optional<XmlElement>& xform, Point location, const Lengths& lengths);

// Sets an insert's place, angle, mirror and scale to those of a placement.
void setPlacement(Insert& insert, const Transform& placement);

// A contour as written: a start and steps that run straight or along an arc around a centre.
struct PathStep {
    Point to{};
    std::optional<Point> center{}; // an arc when set
    bool clockwise = false;
};
struct StepPath {
    Point start{};
    std::vector<PathStep> steps{};
};

// The PolyBegin and PolyStep children of a Polygon, Polyline or Cutout.
StepPath stepPathOf(const XmlElement& element, const Lengths& lengths);

// The arc from one point to another around a centre: its radius is the start's distance; a step
// that ends where it starts is a whole circle.
Arc arcBetween(Point from, Point to, Point center, bool clockwise, double width);

// The path as a ring, arcs in chords of at most kChordDegrees; for filled areas, which KORVEN holds
// as polygons.
inline constexpr double kChordDegrees = 5;
Ring ringOf(const StepPath& path);
// The path's lines and arcs drawn with a pen, arcs kept as arcs; steps of no length are left out.
std::vector<Shape> strokesOf(const StepPath& path, double width);

} // namespace lumora::engine::ipc2581
