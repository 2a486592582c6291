#include "engine/model/RoundedCorners.h"

#include <cmath>
#include <numbers>

namespace lumora::engine {

namespace {

constexpr double kDegrees = 180 / std::numbers::pi;
// Two corners may take a side whole; beyond it by more than this share of the side they overlap.
constexpr double kSideRounding = 1e-9;

Point minus(Point a, Point b) {
    return {a.x - b.x, a.y - b.y};
}

double length(Point v) {
    return std::hypot(v.x, v.y);
}

// +1 when the outline runs counter-clockwise, -1 when clockwise.
double senseOf(std::span<const Point> outline) {
    double twiceArea = 0;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const Point a = outline[i];
        const Point b = outline[(i + 1) % outline.size()];
        twiceArea += a.x * b.y - b.x * a.y;
    }
    return twiceArea < 0 ? -1 : 1;
}

// A corner between its two sides: unit vectors from the corner towards the points before and after
// it, and how far along each an arc of radius 1 meets them; none for a corner that turns inward or
// not at all.
struct Turn {
    Point back{};
    Point ahead{};
    double reachPerRadius = 0;
};

std::optional<Turn> turnAt(std::span<const Point> outline, std::size_t i, double sense) {
    const std::size_t n = outline.size();
    const Point corner = outline[i];
    const Point toPrevious = minus(outline[(i + n - 1) % n], corner);
    const Point toNext = minus(outline[(i + 1) % n], corner);
    const double back = length(toPrevious);
    const double ahead = length(toNext);
    if (back == 0 || ahead == 0) {
        return std::nullopt;
    }
    const Point u{toPrevious.x / back, toPrevious.y / back};
    const Point v{toNext.x / ahead, toNext.y / ahead};
    const double sine = (v.x * u.y - v.y * u.x) * sense; // the outline's sense: turning its own way
    const double cosine = u.x * v.x + u.y * v.y;
    if (!(sine > 0)) {
        return std::nullopt;
    }
    return Turn{u, v, (1 + cosine) / sine}; // 1 / tan(half the corner's angle)
}

double sideLength(std::span<const Point> outline, std::size_t i) {
    return length(minus(outline[(i + 1) % outline.size()], outline[i]));
}

// How far from corner i its arc meets each of its sides; 0 for a sharp corner.
double reachOf(std::span<const Point> outline, std::span<const double> radii, std::size_t i, double sense) {
    if (radii.empty() || !(radii[i] > 0)) {
        return 0;
    }
    const std::optional<Turn> turn = turnAt(outline, i, sense);
    return turn ? radii[i] * turn->reachPerRadius : 0;
}

} // namespace

std::optional<std::string> cornerRadiusProblem(std::span<const Point> outline,
                                               std::span<const double> radii) {
    if (radii.empty()) {
        return std::nullopt;
    }
    if (radii.size() != outline.size()) {
        return "has " + std::to_string(radii.size()) + " corner radii for " + std::to_string(outline.size()) +
               " corners";
    }
    const double sense = senseOf(outline);
    for (std::size_t i = 0; i < radii.size(); ++i) {
        const std::string corner = "corner " + std::to_string(i + 1);
        if (!std::isfinite(radii[i]) || radii[i] < 0) {
            return corner + "'s radius is not a size (a finite number of 0 or more)";
        }
        if (radii[i] > 0 && !turnAt(outline, i, sense)) {
            return corner + " turns inward or not at all and cannot be rounded";
        }
        const double side = sideLength(outline, i);
        const std::size_t next = (i + 1) % outline.size();
        if (reachOf(outline, radii, i, sense) + reachOf(outline, radii, next, sense) >
            side * (1 + kSideRounding)) {
            return "the radii of corners " + std::to_string(i + 1) + " and " + std::to_string(next + 1) +
                   " take more than the side between them";
        }
    }
    return std::nullopt;
}

std::vector<DrawnCorner> drawnCorners(std::span<const Point> outline, std::span<const double> radii) {
    const bool valid = !cornerRadiusProblem(outline, radii);
    const double sense = senseOf(outline);
    std::vector<DrawnCorner> corners;
    corners.reserve(outline.size());
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const Point corner = outline[i];
        const std::optional<Turn> turn =
            valid && !radii.empty() && radii[i] > 0 ? turnAt(outline, i, sense) : std::nullopt;
        if (!turn) {
            corners.push_back({.from = corner, .to = corner, .center = corner});
            continue;
        }
        const double r = radii[i];
        const double reach = r * turn->reachPerRadius;
        const Point from{corner.x + turn->back.x * reach, corner.y + turn->back.y * reach};
        const Point to{corner.x + turn->ahead.x * reach, corner.y + turn->ahead.y * reach};
        // The centre lies inside, a radius away from the side that arrives at the corner.
        const Point center{from.x + sense * turn->back.y * r, from.y - sense * turn->back.x * r};
        const double start = std::atan2(from.y - center.y, from.x - center.x) * kDegrees;
        const double end = std::atan2(to.y - center.y, to.x - center.x) * kDegrees;
        double sweep = std::remainder(end - start, 360.0);
        corners.push_back({from, to, center, r, start, sense > 0 ? std::abs(sweep) : -std::abs(sweep)});
    }
    return corners;
}

} // namespace lumora::engine
