#include "engine/io/ipc2581/Ipc2581Geometry.h"

#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace lumora::engine::ipc2581 {

namespace {

constexpr double kDegreesPerRadian = 180 / std::numbers::pi;

constexpr std::array<std::pair<std::string_view, double>, 3> kUnits{{
    {"MILLIMETER", 1},
    {"MICRON", 0.001},
    {"INCH", 25.4},
}};

double angleOf(Point center, Point p) {
    return normalizedDegrees(std::atan2(p.y - center.y, p.x - center.x) * kDegreesPerRadian);
}

} // namespace

std::optional<double> millimetresPer(std::string_view units) {
    for (const auto& [name, millimetres] : kUnits) {
        if (units == name) {
            return millimetres;
        }
    }
    return std::nullopt;
}

double unitFactor(std::string_view from, std::string_view to) {
    if (from == to || from.empty() || to.empty()) {
        return 1; // a dictionary without units writes them in the file's own
    }
    return millimetresPer(from).value_or(1) / millimetresPer(to).value_or(1);
}

double Lengths::size(const XmlElement& element, std::string_view attribute) const {
    const double value = element.number(attribute);
    if (value < 0) {
        element.fail(std::string(attribute) + " of <" + std::string(element.name()) + "> is negative");
    }
    return value * factor;
}

Transform placementOf(const std::optional<XmlElement>& xform, Point location, const Lengths& lengths) {
    if (!xform) {
        return Transform(location, 0, false, 1);
    }
    const double rotation = xform->numberOr("rotation", 0);
    const bool mirror = xform->flag("mirror");
    const double scale = xform->numberOr("scale", 1);
    if (scale <= 0) {
        xform->fail("scale of <Xform> is not above 0");
    }
    const Point offset{location.x + xform->numberOr("xOffset", 0) * lengths.factor,
                       location.y + xform->numberOr("yOffset", 0) * lengths.factor};
    return Transform(offset, mirror ? -rotation : rotation, mirror, scale);
}

void setPlacement(Insert& insert, const Transform& placement) {
    const auto [rotation, mirror, scale] = placement.linearKey();
    insert.at = placement.offset();
    insert.rotation = rotation;
    insert.mirror = mirror;
    insert.scale = scale;
}

StepPath stepPathOf(const XmlElement& element, const Lengths& lengths) {
    const std::optional<XmlElement> begin = element.child("PolyBegin");
    if (!begin) {
        element.fail("<" + std::string(element.name()) + "> has no PolyBegin");
    }
    StepPath path{.start = lengths.point(*begin), .steps = {}};
    element.forEachChild([&](const XmlElement& step) {
        if (step.name() == "PolyStepSegment") {
            path.steps.push_back({.to = lengths.point(step)});
        } else if (step.name() == "PolyStepCurve") {
            path.steps.push_back({.to = lengths.point(step),
                                  .center = lengths.point(step, "centerX", "centerY"),
                                  .clockwise = step.flag("clockwise")});
        }
    });
    return path;
}

Arc arcBetween(Point from, Point to, Point center, bool clockwise, double width) {
    const double start = angleOf(center, from);
    double sweep = normalizedDegrees(angleOf(center, to) - start);
    if (clockwise) {
        sweep = sweep == 0 ? -360 : sweep - 360;
    } else if (sweep == 0) {
        sweep = 360;
    }
    return Arc{center, std::hypot(from.x - center.x, from.y - center.y), start, sweep, width};
}

Ring ringOf(const StepPath& path) {
    Ring ring{path.start};
    Point at = path.start;
    for (const PathStep& step : path.steps) {
        if (step.center) {
            const Arc arc = arcBetween(at, step.to, *step.center, step.clockwise, 0);
            const int chords = std::max(1, static_cast<int>(std::ceil(std::abs(arc.sweep) / kChordDegrees)));
            for (int i = 1; i < chords; ++i) {
                const double angle = (arc.start + arc.sweep * i / chords) / kDegreesPerRadian;
                ring.push_back({arc.center.x + arc.radius * std::cos(angle),
                                arc.center.y + arc.radius * std::sin(angle)});
            }
        }
        ring.push_back(step.to);
        at = step.to;
    }
    if (ring.size() > 1 && ring.back() == ring.front()) {
        ring.pop_back(); // rings close themselves
    }
    return ring;
}

std::vector<Shape> strokesOf(const StepPath& path, double width) {
    std::vector<Shape> strokes;
    Point at = path.start;
    for (const PathStep& step : path.steps) {
        if (step.center) {
            strokes.emplace_back(arcBetween(at, step.to, *step.center, step.clockwise, width));
        } else if (step.to != at) {
            strokes.emplace_back(Line{at, step.to, width});
        }
        at = step.to;
    }
    return strokes;
}

} // namespace lumora::engine::ipc2581
