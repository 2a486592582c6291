#include "engine/geom/Footprint.h"

#include "engine/geom/ClosestStrokes.h"
#include "engine/model/RoundedCorners.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <span>

namespace lumora::engine {

namespace {

struct Outline {
    std::vector<Stroke> strokes;
    PolygonParts polygon{};
    bool filled = false; // covers its inside, not only its border
};

// From this many edges on, a polygon's edges are searched through an index instead of one by one.
constexpr std::size_t kIndexedEdges = 64;

Stroke disc(Point center, double radius) {
    return {Segment{center, center}, radius};
}

Stroke ring(Point center, double radius, double reach) {
    return {circularArc(center, radius, 0, 360), reach};
}

// The edges of an area's rings, whose last point repeats the first.
std::size_t edgeCount(const Area& area) {
    auto edges = [](const auto& ring) { return ring.size() > 1 ? ring.size() - 1 : 0; };
    std::size_t count = 0;
    for (const AreaPolygon& polygon : area) {
        count += edges(polygon.outer());
        for (const auto& inner : polygon.inners()) {
            count += edges(inner);
        }
    }
    return count;
}

// The edges of a polygon area (its holes included), and the polygon itself when it is filled.
Outline polygonOutline(const Area& area, Fill fill) {
    Outline outline;
    // Exactly: a check keeps the strokes of every polygon it measures, and grown one by one they took
    // up to twice their room.
    outline.strokes.reserve(edgeCount(area));
    for (const AreaPolygon& polygon : area) {
        auto addEdges = [&](const auto& points) {
            for (std::size_t i = 0; i + 1 < points.size(); ++i) {
                outline.strokes.push_back(
                    {Segment{{points[i].x(), points[i].y()}, {points[i + 1].x(), points[i + 1].y()}}, 0});
            }
        };
        addEdges(polygon.outer());
        for (const auto& inner : polygon.inners()) {
            addEdges(inner);
        }
    }
    if (area.size() == 1 && outline.strokes.size() >= kIndexedEdges) {
        outline.polygon.edges = std::make_shared<const EdgeIndex>(area.front());
    }
    outline.filled = fill == Fill::Solid && !area.empty();
    // A copy of the polygon only where neither the edge index nor the edges of one ring tell its
    // inside: most pads are rectangles and planes are indexed, and a copper check holds them all.
    const bool oneRing = area.size() == 1 && area.front().inners().empty();
    if (outline.filled && !outline.polygon.edges && !oneRing) {
        outline.polygon.inside = FilledInside{area.back()};
    }
    return outline;
}

Outline strokes(std::vector<Stroke> list) {
    return {std::move(list)};
}

// An oblong pad is a trace with round ends along its longer axis.
Stroke oblong(const Pad& pad) {
    const double reach = std::min(pad.sizeX, pad.sizeY) / 2;
    const double half = std::max(pad.sizeX, pad.sizeY) / 2 - reach;
    const double angle = (pad.rotation + (pad.sizeX >= pad.sizeY ? 0 : 90)) * std::numbers::pi / 180;
    const Point offset{half * std::cos(angle), half * std::sin(angle)};
    return {Segment{{pad.at.x - offset.x, pad.at.y - offset.y}, {pad.at.x + offset.x, pad.at.y + offset.y}},
            reach};
}

// Each rounded corner an arc between the straight parts of the sides, in closed form; the inside
// is the polygon through the arcs' ends with the caps beyond those chords.
Outline roundedOutline(const Pad& pad) {
    const double turn = pad.rotation * std::numbers::pi / 180;
    Ring placed;
    for (Point p : outlineOf(pad)) {
        placed.push_back({pad.at.x + p.x * std::cos(turn) - p.y * std::sin(turn),
                          pad.at.y + p.x * std::sin(turn) + p.y * std::cos(turn)});
    }
    const std::vector<DrawnCorner> corners = drawnCorners(placed, cornerRadiiOf(pad));
    Outline outline;
    FilledInside inside{};
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const DrawnCorner& corner = corners[i];
        if (corner.rounded()) {
            outline.strokes.push_back(
                {circularArc(corner.center, corner.radius, corner.startDegrees, corner.sweepDegrees), 0});
            inside.caps.push_back({corner.from, corner.to, corner.center, corner.radius});
            inside.polygon.outer().push_back({corner.from.x, corner.from.y});
        }
        inside.polygon.outer().push_back({corner.to.x, corner.to.y});
        const Point next = corners[(i + 1) % corners.size()].from;
        if (next != corner.to) {
            outline.strokes.push_back({Segment{corner.to, next}, 0});
        }
    }
    bg::correct(inside.polygon);
    outline.polygon.inside = std::move(inside);
    outline.filled = true;
    return outline;
}

Outline padOutline(const Pad& pad) {
    switch (pad.shape) {
    case pad_shape::Complex:
        return hasCornerRadii(pad) ? roundedOutline(pad) : polygonOutline(areaOf(pad), Fill::Solid);
    case pad_shape::Round:
    case pad_shape::Target:
        return strokes({disc(pad.at, pad.sizeX / 2)});
    case pad_shape::Donut:
    case pad_shape::Thermal:
        if (innerOf(pad) > 0) {
            return strokes({ring(pad.at, (pad.sizeX + innerOf(pad)) / 4, (pad.sizeX - innerOf(pad)) / 4)});
        }
        return strokes({disc(pad.at, pad.sizeX / 2)});
    case pad_shape::Oblong:
        return strokes({oblong(pad)});
    default:
        return polygonOutline(areaOf(pad), Fill::Solid);
    }
}

struct OutlineOf {
    Fill fill;

    double pen(double width) const { return fill == Fill::Border ? 0 : width / 2; }

    // A complex pad is its outline whatever its sizes say.
    Outline operator()(const Pad& pad) const {
        return pad.sizeX > 0 || pad.shape == pad_shape::Complex ? padOutline(pad) : Outline{};
    }
    Outline operator()(const Line& line) const {
        return strokes({{Segment{line.from, line.to}, pen(line.width)}});
    }
    Outline operator()(const Arc& arc) const {
        return strokes({{circularArc(arc.center, arc.radius, arc.start, arc.sweep), pen(arc.width)}});
    }
    Outline operator()(const Circle& circle) const {
        if (fill == Fill::Border) {
            return strokes({ring(circle.center, circle.radius, 0)});
        }
        if (circle.width <= 0) {
            return circle.radius > 0 ? strokes({disc(circle.center, circle.radius)}) : Outline{};
        }
        return strokes({ring(circle.center, circle.radius, circle.width / 2)});
    }
    Outline operator()(const Polygon& polygon) const { return polygonOutline(areaOf(polygon), fill); }
    Outline operator()(const Mark& mark) const { return strokes({disc(mark.at, 0)}); }
};

const double kFar = std::numeric_limits<double>::infinity();

// What overlaps() compares: the area, else the point or centre line.
using Ground = std::variant<std::monostate, Area, Path, AreaPoint>;

Ground groundOf(const Shape& shape, Area area) {
    if (!area.empty()) {
        return area;
    }
    if (const auto* mark = std::get_if<Mark>(&shape)) {
        return AreaPoint(mark->at.x, mark->at.y);
    }
    if (const auto* line = std::get_if<Line>(&shape)) {
        return pathOf(*line);
    }
    if (const auto* arc = std::get_if<Arc>(&shape)) {
        return pathOf(*arc);
    }
    return std::monostate{};
}

// Around a centre by `reach` and a margin for the rounding of the exact box's coordinates.
Box roughBox(Point center, double reach) {
    const double margin = 1e-9 * (reach + std::abs(center.x) + std::abs(center.y));
    const double r = reach + margin;
    return Box({center.x - r, center.y - r}, {center.x + r, center.y + r});
}

Box roughBox(std::span<const Point> points) {
    double reach = 0;
    const Point first = points.front();
    for (Point p : points) {
        reach = std::max(reach, std::hypot(p.x - first.x, p.y - first.y));
    }
    return roughBox(first, reach);
}

struct RoughBoxOf {
    std::optional<Box> operator()(const Pad& pad) const {
        if (pad.shape == pad_shape::Complex) {
            if (outlineOf(pad).size() < 3) {
                return std::nullopt;
            }
            double reach = 0;
            for (Point p : outlineOf(pad)) {
                reach = std::max(reach, std::hypot(p.x, p.y));
            }
            return roughBox(pad.at, reach);
        }
        if (!(pad.sizeX > 0)) {
            return std::nullopt;
        }
        // Every other shape lies within the rectangle of its sizes, turned any way.
        const double sizeY = pad.shape == pad_shape::Square ? pad.sizeX : pad.sizeY;
        return roughBox(pad.at, std::hypot(pad.sizeX, sizeY) / 2 + std::abs(innerOf(pad)));
    }
    std::optional<Box> operator()(const Line& line) const {
        const Point middle{(line.from.x + line.to.x) / 2, (line.from.y + line.to.y) / 2};
        const double half = std::hypot(line.to.x - line.from.x, line.to.y - line.from.y) / 2;
        return roughBox(middle, half + std::abs(line.width) / 2);
    }
    std::optional<Box> operator()(const Arc& arc) const {
        return roughBox(arc.center, std::abs(arc.radius) + std::abs(arc.width) / 2);
    }
    std::optional<Box> operator()(const Circle& circle) const {
        return roughBox(circle.center, std::abs(circle.radius) + std::abs(circle.width) / 2);
    }
    std::optional<Box> operator()(const Polygon& polygon) const {
        if (polygon.outline.size() < 3) {
            return std::nullopt;
        }
        Box box = roughBox(polygon.outline);
        for (const Ring& hole : polygon.holes) {
            if (!hole.empty()) {
                bg::expand(box, roughBox(hole));
            }
        }
        return box;
    }
    std::optional<Box> operator()(const Mark& mark) const { return roughBox(mark.at, 0); }
};

} // namespace

std::optional<Box> roughBoxOf(const Shape& shape) {
    return std::visit(RoughBoxOf{}, shape);
}

Footprint::Footprint(const Shape& shape, Fill fill) {
    Outline outline = std::visit(OutlineOf{fill}, shape);
    strokes_ = std::move(outline.strokes);
    filled_ = outline.filled;
    if (outline.polygon.inside || outline.polygon.edges) {
        polygon_ = std::move(outline.polygon);
    }
    if (!strokes_.empty()) {
        box_ = boxOf(strokes_.front());
        for (const Stroke& stroke : strokes_) {
            bg::expand(box_, boxOf(stroke));
        }
    }
}

Area areaOf(const Shape& shape, Fill fill) {
    return fill == Fill::Border ? Area{} : areaOf(shape);
}

bool CornerCap::holds(Point p) const {
    const auto side = [&](Point q) {
        return (to.x - from.x) * (q.y - from.y) - (to.y - from.y) * (q.x - from.x);
    };
    return std::hypot(p.x - center.x, p.y - center.y) <= radius && side(p) * side(center) <= 0;
}

namespace {

// As bg::covered_by judges a ring: a point on an edge is covered.
bool edgesCover(std::span<const Stroke> edges, Point p) {
    const bg::strategy::within::cartesian_winding<> winding;
    decltype(winding)::state_type state;
    const AreaPoint point(p.x, p.y);
    for (const Stroke& edge : edges) {
        const auto& [from, to] = std::get<Segment>(edge.core);
        if (!winding.apply(point, AreaPoint(from.x, from.y), AreaPoint(to.x, to.y), state)) {
            break;
        }
    }
    return winding.result(state) >= 0;
}

} // namespace

bool Footprint::covers(Point p) const {
    if (!filled_) {
        return false;
    }
    if (edges() != nullptr) {
        return edges()->covers(p);
    }
    const FilledInside* filled = inside();
    if (filled == nullptr) {
        return edgesCover(strokes_, p);
    }
    return bg::covered_by(AreaPoint(p.x, p.y), filled->polygon) ||
           std::ranges::any_of(filled->caps, [p](const CornerCap& cap) { return cap.holds(p); });
}

double Footprint::strokesDistance(const Footprint& other) const {
    return closestStrokes({strokes_, box_, edges()}, {other.strokes_, other.box_, other.edges()});
}

double Footprint::distanceTo(const Footprint& other) const {
    if (empty() || other.empty()) {
        return 0;
    }
    if (covers(pointOn(other.strokes_.front().core)) || other.covers(pointOn(strokes_.front().core))) {
        return 0;
    }
    return strokesDistance(other);
}

double Footprint::depthAt(Point p) const {
    const Segment point{p, p};
    double depth = -kFar;
    double edge = kFar;
    for (const Stroke& stroke : strokes_) {
        const double distance = coreDistance(point, stroke.core);
        depth = std::max(depth, stroke.reach - distance);
        edge = std::min(edge, distance);
    }
    return filled_ ? (covers(p) ? edge : -edge) : depth;
}

bool overlaps(const Shape& a, Fill fillA, const Shape& b, Fill fillB) {
    return std::visit(
        [](const auto& groundA, const auto& groundB) -> bool {
            using A = std::decay_t<decltype(groundA)>;
            using B = std::decay_t<decltype(groundB)>;
            if constexpr (std::is_same_v<A, std::monostate> || std::is_same_v<B, std::monostate>) {
                return false;
            } else if constexpr (std::is_same_v<A, Area> && std::is_same_v<B, Area>) {
                return bg::intersects(groundA, groundB) && !bg::touches(groundA, groundB);
            } else if constexpr (std::is_same_v<A, Area>) {
                return bg::intersects(groundB, groundA) && !bg::touches(groundB, groundA);
            } else if constexpr (std::is_same_v<B, Area>) {
                return bg::intersects(groundA, groundB) && !bg::touches(groundA, groundB);
            } else {
                return false;
            }
        },
        groundOf(a, areaOf(a, fillA)), groundOf(b, areaOf(b, fillB)));
}

} // namespace lumora::engine
