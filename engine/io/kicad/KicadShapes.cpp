#include "engine/io/kicad/KicadShapes.h"

#include <cmath>
#include <numbers>

namespace lumora::engine::kicad {

namespace {

constexpr double kDegrees = 180 / std::numbers::pi;

double angleOf(Point from, Point to) {
    return std::atan2(to.y - from.y, to.x - from.x) * kDegrees;
}

double turn(Point a, Point b, Point c) {
    return (b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x);
}

bool isFilled(const sexpr::Expr& drawing) {
    const std::string_view fill = drawing.textOf("fill");
    return fill == "solid" || fill == "yes" || fill == "true";
}

std::string_view kindOf(std::string_view head) {
    return head.starts_with("gr_") || head.starts_with("fp_") ? head.substr(3) : head;
}

// KiCad 5 arcs: (start centre) (end first point) (angle a), a running clockwise as drawn.
Arc centredArc(const sexpr::Expr& drawing, const Frame& frame) {
    const Point centre = frame.point(drawing.require("start"));
    const Point first = frame.point(drawing.require("end"));
    const double angle = drawing.numberOf("angle", 0);
    return Arc{centre, std::hypot(first.x - centre.x, first.y - centre.y), angleOf(centre, first),
               frame.negateY ? -angle : angle, strokeWidth(drawing)};
}

Shape arcShape(const sexpr::Expr& drawing, const Frame& frame) {
    const std::optional<sexpr::Expr> mid = drawing.find("mid");
    if (!mid) {
        return centredArc(drawing, frame);
    }
    const Point start = frame.point(drawing.require("start"));
    const Point end = frame.point(drawing.require("end"));
    const double width = strokeWidth(drawing);
    if (std::optional<Arc> arc = arcThrough(start, frame.point(*mid), end, width)) {
        return *arc;
    }
    return Line{start, end, width};
}

std::vector<Shape> rectangleShapes(const sexpr::Expr& drawing, const Frame& frame) {
    const Point a = frame.point(drawing.require("start"));
    const Point c = frame.point(drawing.require("end"));
    const Ring corners{a, {c.x, a.y}, c, {a.x, c.y}};
    if (isFilled(drawing)) {
        return {Polygon{corners, {}}};
    }
    const double width = strokeWidth(drawing);
    std::vector<Shape> sides;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        sides.emplace_back(Line{corners[i], corners[(i + 1) % corners.size()], width});
    }
    return sides;
}

Shape circleShape(const sexpr::Expr& drawing, const Frame& frame) {
    const Point centre = frame.point(drawing.require("center"));
    const Point rim = frame.point(drawing.require("end"));
    return Circle{centre, std::hypot(rim.x - centre.x, rim.y - centre.y),
                  isFilled(drawing) ? 0 : strokeWidth(drawing)};
}

} // namespace

std::optional<Arc> arcThrough(Point start, Point mid, Point end, double width) {
    const double d = 2 * (start.x * (mid.y - end.y) + mid.x * (end.y - start.y) + end.x * (start.y - mid.y));
    if (std::abs(d) < 1e-12) {
        return std::nullopt;
    }
    auto squared = [](Point p) { return p.x * p.x + p.y * p.y; };
    const Point centre{(squared(start) * (mid.y - end.y) + squared(mid) * (end.y - start.y) +
                        squared(end) * (start.y - mid.y)) /
                           d,
                       (squared(start) * (end.x - mid.x) + squared(mid) * (start.x - end.x) +
                        squared(end) * (mid.x - start.x)) /
                           d};
    const double from = angleOf(centre, start);
    double sweep = std::fmod(angleOf(centre, end) - from + 720, 360);
    if (turn(start, mid, end) < 0) {
        sweep -= 360;
    }
    return Arc{centre, std::hypot(start.x - centre.x, start.y - centre.y), from, sweep, width};
}

double strokeWidth(const sexpr::Expr& drawing) {
    if (const std::optional<sexpr::Expr> stroke = drawing.find("stroke")) {
        return stroke->sizeOf("width", 0);
    }
    return drawing.sizeOf("width", 0);
}

Ring polygonPoints(const sexpr::Expr& pts, const Frame& frame) {
    Ring ring;
    pts.forEachList([&](const sexpr::Expr& point) {
        if (point.head() == "xy") {
            ring.push_back(frame.point(point));
            return;
        }
        if (point.head() != "arc") {
            return;
        }
        const Point start = frame.point(point.require("start"));
        const std::optional<Arc> arc =
            arcThrough(start, frame.point(point.require("mid")), frame.point(point.require("end")), 0);
        constexpr int kChords = 16;
        for (int i = 0; i <= kChords; ++i) {
            const double angle = arc ? (arc->start + arc->sweep * i / kChords) / kDegrees : 0;
            ring.push_back(arc ? Point{arc->center.x + arc->radius * std::cos(angle),
                                       arc->center.y + arc->radius * std::sin(angle)}
                               : start);
        }
    });
    return ring;
}

std::vector<Shape> drawingShapes(const sexpr::Expr& drawing, const Frame& frame) {
    const std::string_view kind = kindOf(drawing.head());
    if (kind == "line") {
        return {Line{frame.point(drawing.require("start")), frame.point(drawing.require("end")),
                     strokeWidth(drawing)}};
    }
    if (kind == "arc") {
        return {arcShape(drawing, frame)};
    }
    if (kind == "circle") {
        return {circleShape(drawing, frame)};
    }
    if (kind == "rect") {
        return rectangleShapes(drawing, frame);
    }
    if (kind == "poly") {
        Ring ring = polygonPoints(drawing.require("pts"), frame);
        if (ring.size() < 3) {
            return {};
        }
        return {Polygon{std::move(ring), {}}};
    }
    return {};
}

} // namespace lumora::engine::kicad
