#include "engine/geom/Areas.h"

#include "engine/model/RoundedCorners.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lumora::engine {

namespace {

constexpr int kCircleSegments = 64;
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

Point onCircle(Point center, double radius, double degrees) {
    return {center.x + radius * std::cos(degrees * kRadiansPerDegree),
            center.y + radius * std::sin(degrees * kRadiansPerDegree)};
}

// Points of a counter-clockwise circular path from `from` over `sweep` degrees, both ends included.
void appendArc(Ring& ring, Point center, double radius, double from, double sweep) {
    const int steps = std::max(2, static_cast<int>(std::ceil(std::abs(sweep) / 360.0 * kCircleSegments)));
    for (int i = 0; i <= steps; ++i) {
        ring.push_back(onCircle(center, radius, from + sweep * i / steps));
    }
}

Ring circleRing(Point center, double radius) {
    Ring ring;
    for (int i = 0; i < kCircleSegments; ++i) {
        ring.push_back(onCircle(center, radius, 360.0 * i / kCircleSegments));
    }
    return ring;
}

Ring rectangleRing(double width, double height) {
    return {{-width / 2, -height / 2},
            {width / 2, -height / 2},
            {width / 2, height / 2},
            {-width / 2, height / 2}};
}

Ring stadiumRing(double width, double height) {
    Ring ring;
    if (width >= height) {
        const double r = height / 2;
        appendArc(ring, {width / 2 - r, 0}, r, -90, 180);
        appendArc(ring, {-(width / 2 - r), 0}, r, 90, 180);
    } else {
        const double r = width / 2;
        appendArc(ring, {0, height / 2 - r}, r, 0, 180);
        appendArc(ring, {0, -(height / 2 - r)}, r, 180, 180);
    }
    return ring;
}

Ring octagonRing(double width, double height) {
    const double cut = std::min(width, height) / (2 + std::numbers::sqrt2);
    const double x = width / 2;
    const double y = height / 2;
    return {{-x + cut, -y}, {x - cut, -y}, {x, -y + cut}, {x, y - cut},
            {x - cut, y},   {-x + cut, y}, {-x, y - cut}, {-x, -y + cut}};
}

AreaPolygon polygonOf(const Ring& outline, const std::vector<Ring>& holes) {
    AreaPolygon polygon;
    // Room for the closing point correct() adds: without it a 64-point circle doubles its storage.
    polygon.outer().reserve(outline.size() + 1);
    for (Point p : outline) {
        polygon.outer().push_back({p.x, p.y});
    }
    for (const Ring& hole : holes) {
        auto& inner = polygon.inners().emplace_back();
        inner.reserve(hole.size() + 1);
        for (Point p : hole) {
            inner.push_back({p.x, p.y});
        }
    }
    bg::correct(polygon);
    return polygon;
}

// A complex pad's outline with each rounded corner in chords, as finely as a circle's.
Ring drawnOutline(const Pad& pad) {
    if (!hasCornerRadii(pad)) {
        return Ring(outlineOf(pad).begin(), outlineOf(pad).end());
    }
    Ring ring;
    for (const DrawnCorner& corner : drawnCorners(outlineOf(pad), cornerRadiiOf(pad))) {
        if (corner.rounded()) {
            appendArc(ring, corner.center, corner.radius, corner.startDegrees, corner.sweepDegrees);
        } else {
            ring.push_back(corner.to);
        }
    }
    return ring;
}

Ring placed(const Ring& local, Point at, double rotation) {
    const double c = std::cos(rotation * kRadiansPerDegree);
    const double s = std::sin(rotation * kRadiansPerDegree);
    Ring result;
    result.reserve(local.size());
    for (Point p : local) {
        result.push_back({at.x + p.x * c - p.y * s, at.y + p.x * s + p.y * c});
    }
    return result;
}

Area single(const Ring& outline, const std::vector<Ring>& holes = {}) {
    if (outline.size() < 3) {
        return {};
    }
    Area area;
    area.push_back(polygonOf(outline, holes));
    return area;
}

Area ringArea(Point center, double outer, double inner) {
    if (outer <= 0) {
        return {};
    }
    if (inner <= 0) {
        return single(circleRing(center, outer));
    }
    return single(circleRing(center, outer), {circleRing(center, inner)});
}

Area padArea(const Pad& pad) {
    auto placedArea = [&](const Ring& local) { return single(placed(local, pad.at, pad.rotation)); };
    switch (pad.shape) {
    case pad_shape::Round:
    case pad_shape::Target:
        return ringArea(pad.at, pad.sizeX / 2, 0);
    case pad_shape::Donut:
    case pad_shape::Thermal:
        return ringArea(pad.at, pad.sizeX / 2, innerOf(pad) / 2);
    case pad_shape::Square:
        return placedArea(rectangleRing(pad.sizeX, pad.sizeX));
    case pad_shape::Rectangle:
        return placedArea(rectangleRing(pad.sizeX, pad.sizeY));
    case pad_shape::Oblong:
        return placedArea(stadiumRing(pad.sizeX, pad.sizeY));
    case pad_shape::Octagon:
        return placedArea(octagonRing(pad.sizeX, pad.sizeY));
    case pad_shape::Complex:
        return placedArea(drawnOutline(pad));
    default:
        return {};
    }
}

Area strokeArea(const Path& path, double width) {
    if (width <= 0 || path.empty()) {
        return {};
    }
    Area area;
    bg::buffer(path, area, bg::strategy::buffer::distance_symmetric<double>(width / 2),
               bg::strategy::buffer::side_straight(), bg::strategy::buffer::join_round(kCircleSegments),
               bg::strategy::buffer::end_round(kCircleSegments),
               bg::strategy::buffer::point_circle(kCircleSegments));
    return area;
}

struct AreaVisitor {
    Area operator()(const Pad& pad) const { return padArea(pad); }
    Area operator()(const Line& line) const {
        if (line.from == line.to) {
            return ringArea(line.from, line.width / 2, 0);
        }
        return strokeArea(pathOf(line), line.width);
    }
    Area operator()(const Arc& arc) const { return strokeArea(pathOf(arc), arc.width); }
    Area operator()(const Circle& circle) const {
        if (circle.width <= 0) {
            return ringArea(circle.center, circle.radius, 0);
        }
        return ringArea(circle.center, circle.radius + circle.width / 2, circle.radius - circle.width / 2);
    }
    Area operator()(const Polygon& polygon) const { return single(polygon.outline, polygon.holes); }
    Area operator()(const Mark&) const { return {}; }
};

Box pointBox(Point p) {
    return Box({p.x, p.y}, {p.x, p.y});
}

} // namespace

Path pathOf(const Line& line) {
    return {{line.from.x, line.from.y}, {line.to.x, line.to.y}};
}

Path pathOf(const Arc& arc) {
    Ring points;
    appendArc(points, arc.center, arc.radius, arc.start, arc.sweep);
    Path path;
    for (Point p : points) {
        path.push_back({p.x, p.y});
    }
    return path;
}

Area areaOf(const Shape& shape) {
    return std::visit(AreaVisitor{}, shape);
}

std::optional<Box> extentOf(const Shape& shape) {
    Area area = areaOf(shape);
    if (!area.empty()) {
        return bg::return_envelope<Box>(area);
    }
    if (const auto* mark = std::get_if<Mark>(&shape)) {
        return pointBox(mark->at);
    }
    if (const auto* line = std::get_if<Line>(&shape)) {
        return bg::return_envelope<Box>(pathOf(*line));
    }
    if (const auto* arc = std::get_if<Arc>(&shape)) {
        return bg::return_envelope<Box>(pathOf(*arc));
    }
    return std::nullopt;
}

Polygon toPolygon(const AreaPolygon& polygon) {
    auto ringOf = [](const auto& ring) {
        Ring result;
        for (const AreaPoint& p : ring) {
            result.push_back({p.x(), p.y()});
        }
        if (result.size() > 1 && result.front() == result.back()) {
            result.pop_back();
        }
        return result;
    };
    Polygon result{ringOf(polygon.outer()), {}};
    for (const auto& inner : polygon.inners()) {
        result.holes.push_back(ringOf(inner));
    }
    return result;
}

AreaPolygon boxPolygon(const Box& box) {
    const AreaPoint& lo = box.min_corner();
    const AreaPoint& hi = box.max_corner();
    return polygonOf({{lo.x(), lo.y()}, {hi.x(), lo.y()}, {hi.x(), hi.y()}, {lo.x(), hi.y()}}, {});
}

Point centreOf(const Box& box) {
    return {(box.min_corner().x() + box.max_corner().x()) / 2,
            (box.min_corner().y() + box.max_corner().y()) / 2};
}

Area unite(const Area& a, const Area& b) {
    Area result;
    bg::union_(a, b, result);
    return result;
}

Area uniteAll(std::vector<Area> areas) {
    if (areas.empty()) {
        return {};
    }
    for (std::size_t step = 1; step < areas.size(); step *= 2) {
        for (std::size_t i = 0; i + step < areas.size(); i += 2 * step) {
            areas[i] = unite(areas[i], areas[i + step]);
        }
    }
    return std::move(areas.front());
}

} // namespace lumora::engine
