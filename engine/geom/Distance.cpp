#include "engine/geom/Distance.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace lumora::engine {

namespace {

constexpr double kTurn = 2 * std::numbers::pi;
// Angles and lengths closer than this are equal: far below the 1e-6 of a unit the kernel promises.
constexpr double kTiny = 1e-12;

Point minus(Point p, Point q) {
    return {p.x - q.x, p.y - q.y};
}

double dot(Point p, Point q) {
    return p.x * q.x + p.y * q.y;
}

double cross(Point p, Point q) {
    return p.x * q.y - p.y * q.x;
}

double length(Point p) {
    return std::hypot(p.x, p.y);
}

Point along(Point from, Point direction, double t) {
    return {from.x + direction.x * t, from.y + direction.y * t};
}

bool withinSweep(const CircularArc& arc, double angle) {
    double offset = std::fmod(angle - arc.start, kTurn);
    if (offset < 0) {
        offset += kTurn;
    }
    return offset <= arc.sweep + kTiny || offset >= kTurn - kTiny;
}

bool onArc(const CircularArc& arc, Point p) {
    return withinSweep(arc, std::atan2(p.y - arc.center.y, p.x - arc.center.x));
}

Point atAngle(const CircularArc& arc, double angle) {
    return {arc.center.x + arc.radius * std::cos(angle), arc.center.y + arc.radius * std::sin(angle)};
}

std::array<Point, 2> endsOf(const CircularArc& arc) {
    return {atAngle(arc, arc.start), atAngle(arc, arc.start + arc.sweep)};
}

double pointToSegment(Point p, const Segment& s) {
    const Point d = minus(s.b, s.a);
    const double squared = dot(d, d);
    const double t = squared > 0 ? std::clamp(dot(minus(p, s.a), d) / squared, 0.0, 1.0) : 0.0;
    return length(minus(p, along(s.a, d, t)));
}

double pointToArc(Point p, const CircularArc& arc) {
    const double fromCenter = length(minus(p, arc.center));
    if (fromCenter > kTiny && onArc(arc, p)) {
        return std::abs(fromCenter - arc.radius);
    }
    const auto [first, last] = endsOf(arc);
    return std::min(length(minus(p, first)), length(minus(p, last)));
}

double side(Point a, Point b, Point p) {
    return cross(minus(b, a), minus(p, a));
}

bool segmentsCross(const Segment& s, const Segment& t) {
    const double d1 = side(s.a, s.b, t.a);
    const double d2 = side(s.a, s.b, t.b);
    const double d3 = side(t.a, t.b, s.a);
    const double d4 = side(t.a, t.b, s.b);
    return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0));
}

double segmentToSegment(const Segment& s, const Segment& t) {
    if (segmentsCross(s, t)) {
        return 0;
    }
    return std::min(
        {pointToSegment(s.a, t), pointToSegment(s.b, t), pointToSegment(t.a, s), pointToSegment(t.b, s)});
}

// Where the segment's line meets the arc's circle, on both.
bool segmentMeetsArc(const Segment& s, const CircularArc& arc) {
    const Point d = minus(s.b, s.a);
    const Point f = minus(s.a, arc.center);
    const double a = dot(d, d);
    if (a <= 0) {
        return false;
    }
    const double b = 2 * dot(f, d);
    const double c = dot(f, f) - arc.radius * arc.radius;
    const double discriminant = b * b - 4 * a * c;
    if (discriminant < 0) {
        return false;
    }
    const double root = std::sqrt(discriminant);
    for (const double t : {(-b - root) / (2 * a), (-b + root) / (2 * a)}) {
        if (t >= 0 && t <= 1 && onArc(arc, along(s.a, d, t))) {
            return true;
        }
    }
    return false;
}

// Ends of either to the other, and the one interior pair where the join is square to both: the foot
// of the arc's centre on the segment and the arc's point in that direction.
double segmentToArc(const Segment& s, const CircularArc& arc) {
    if (segmentMeetsArc(s, arc)) {
        return 0;
    }
    const auto [first, last] = endsOf(arc);
    double best = std::min(
        {pointToArc(s.a, arc), pointToArc(s.b, arc), pointToSegment(first, s), pointToSegment(last, s)});
    const Point d = minus(s.b, s.a);
    const double squared = dot(d, d);
    if (squared > 0) {
        const double t = dot(minus(arc.center, s.a), d) / squared;
        const Point foot = along(s.a, d, t);
        const double fromCenter = length(minus(foot, arc.center));
        if (t >= 0 && t <= 1 && fromCenter > kTiny && onArc(arc, foot)) {
            best = std::min(best, std::abs(fromCenter - arc.radius));
        }
    }
    return best;
}

bool arcsMeet(const CircularArc& p, const CircularArc& q, double centres) {
    if (centres <= kTiny || centres > p.radius + q.radius || centres < std::abs(p.radius - q.radius)) {
        return false;
    }
    const Point u{(q.center.x - p.center.x) / centres, (q.center.y - p.center.y) / centres};
    const double x = (centres * centres + p.radius * p.radius - q.radius * q.radius) / (2 * centres);
    const double y = std::sqrt(std::max(0.0, p.radius * p.radius - x * x));
    const Point base = along(p.center, u, x);
    for (const double sign : {-1.0, 1.0}) {
        const Point meet{base.x - sign * y * u.y, base.y + sign * y * u.x};
        if (onArc(p, meet) && onArc(q, meet)) {
            return true;
        }
    }
    return false;
}

bool sweepsOverlap(const CircularArc& p, const CircularArc& q) {
    return withinSweep(p, q.start) || withinSweep(q, p.start);
}

// Ends of either to the other, and the interior pairs on the line through both centres.
double arcToArc(const CircularArc& p, const CircularArc& q) {
    const double centres = length(minus(q.center, p.center));
    if (arcsMeet(p, q, centres)) {
        return 0;
    }
    const auto [p1, p2] = endsOf(p);
    const auto [q1, q2] = endsOf(q);
    double best = std::min({pointToArc(p1, q), pointToArc(p2, q), pointToArc(q1, p), pointToArc(q2, p)});
    if (centres <= kTiny) {
        return sweepsOverlap(p, q) ? std::min(best, std::abs(p.radius - q.radius)) : best;
    }
    const Point u{(q.center.x - p.center.x) / centres, (q.center.y - p.center.y) / centres};
    for (const double sp : {-1.0, 1.0}) {
        const Point onP = along(p.center, u, sp * p.radius);
        for (const double sq : {-1.0, 1.0}) {
            const Point onQ = along(q.center, u, sq * q.radius);
            if (onArc(p, onP) && onArc(q, onQ)) {
                best = std::min(best, length(minus(onP, onQ)));
            }
        }
    }
    return best;
}

struct CoreDistance {
    double operator()(const Segment& s, const Segment& t) const { return segmentToSegment(s, t); }
    double operator()(const Segment& s, const CircularArc& a) const { return segmentToArc(s, a); }
    double operator()(const CircularArc& a, const Segment& s) const { return segmentToArc(s, a); }
    double operator()(const CircularArc& a, const CircularArc& b) const { return arcToArc(a, b); }
};

} // namespace

CircularArc circularArc(Point center, double radius, double startDegrees, double sweepDegrees) {
    const double sweep = std::min(std::abs(sweepDegrees), 360.0) * std::numbers::pi / 180;
    double start = (sweepDegrees < 0 ? startDegrees + sweepDegrees : startDegrees) * std::numbers::pi / 180;
    start = std::fmod(start, kTurn);
    return {center, radius, start < 0 ? start + kTurn : start, sweep};
}

double coreDistance(const Core& a, const Core& b) {
    return std::visit(CoreDistance{}, a, b);
}

double strokeDistance(const Stroke& a, const Stroke& b) {
    return std::max(0.0, coreDistance(a.core, b.core) - a.reach - b.reach);
}

Point pointOn(const Core& core) {
    if (const auto* segment = std::get_if<Segment>(&core)) {
        return segment->a;
    }
    return endsOf(std::get<CircularArc>(core))[0];
}

Box boxOf(const Stroke& stroke) {
    Box box;
    if (const auto* segment = std::get_if<Segment>(&stroke.core)) {
        box = Box({std::min(segment->a.x, segment->b.x), std::min(segment->a.y, segment->b.y)},
                  {std::max(segment->a.x, segment->b.x), std::max(segment->a.y, segment->b.y)});
    } else {
        const auto& arc = std::get<CircularArc>(stroke.core);
        const auto [first, last] = endsOf(arc);
        box = Box({first.x, first.y}, {first.x, first.y});
        bg::expand(box, AreaPoint(last.x, last.y));
        for (int quarter = 0; quarter < 4; ++quarter) {
            const double angle = quarter * kTurn / 4;
            if (withinSweep(arc, angle)) {
                const Point extreme = atAngle(arc, angle);
                bg::expand(box, AreaPoint(extreme.x, extreme.y));
            }
        }
    }
    return Box({box.min_corner().x() - stroke.reach, box.min_corner().y() - stroke.reach},
               {box.max_corner().x() + stroke.reach, box.max_corner().y() + stroke.reach});
}

} // namespace lumora::engine
