#pragma once

// Random primitive pairs and an independent reference distance for the exact distance kernel
// (engine/geom/Distance.h): the reference samples one centre line densely, measures each sample to
// the other centre line with the textbook point formulas, and refines the best sample by golden
// section. Shared by the property test and its benchmark.

#include "engine/model/Shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace lumora::engine::reference {

// A centre line: a segment (radius 0) or an arc, with the pen reaching `reach` to each side.
struct Piece {
    Point a{}, b{};    // segment
    Point center{};    // arc
    double radius = 0; // arc when above 0
    double start = 0;  // radians
    double sweep = 0;  // radians, > 0
    double reach = 0;
};

// A primitive: its design shape and the same as pieces, plus its outline when it is a filled polygon.
struct Primitive {
    Shape shape;
    std::vector<Piece> pieces;
    Ring filled;
};

inline Point at(const Piece& piece, double s) {
    if (piece.radius > 0) {
        const double angle = piece.start + piece.sweep * s;
        return {piece.center.x + piece.radius * std::cos(angle),
                piece.center.y + piece.radius * std::sin(angle)};
    }
    return {piece.a.x + (piece.b.x - piece.a.x) * s, piece.a.y + (piece.b.y - piece.a.y) * s};
}

inline double pointToPiece(Point p, const Piece& piece) {
    if (piece.radius > 0) {
        double angle = std::atan2(p.y - piece.center.y, p.x - piece.center.x) - piece.start;
        angle -= 2 * std::numbers::pi * std::floor(angle / (2 * std::numbers::pi));
        if (angle <= piece.sweep) {
            return std::abs(std::hypot(p.x - piece.center.x, p.y - piece.center.y) - piece.radius);
        }
        const Point first = at(piece, 0);
        const Point last = at(piece, 1);
        return std::min(std::hypot(p.x - first.x, p.y - first.y), std::hypot(p.x - last.x, p.y - last.y));
    }
    const double dx = piece.b.x - piece.a.x;
    const double dy = piece.b.y - piece.a.y;
    const double squared = dx * dx + dy * dy;
    const double t =
        squared > 0 ? std::clamp(((p.x - piece.a.x) * dx + (p.y - piece.a.y) * dy) / squared, 0.0, 1.0) : 0;
    return std::hypot(p.x - piece.a.x - t * dx, p.y - piece.a.y - t * dy);
}

inline double piecesApart(const Piece& sampled, const Piece& other, int samples) {
    auto f = [&](double s) { return pointToPiece(at(sampled, s), other); };
    int best = 0;
    double bestValue = f(0);
    for (int i = 1; i <= samples; ++i) {
        if (const double value = f(static_cast<double>(i) / samples); value < bestValue) {
            best = i;
            bestValue = value;
        }
    }
    double low = std::max(0.0, (best - 1.0) / samples);
    double high = std::min(1.0, (best + 1.0) / samples);
    const double golden = (std::sqrt(5.0) - 1) / 2;
    for (int step = 0; step < 80; ++step) {
        const double m1 = high - golden * (high - low);
        const double m2 = low + golden * (high - low);
        (f(m1) < f(m2) ? high : low) = f(m1) < f(m2) ? m2 : m1;
    }
    return std::min(bestValue, f((low + high) / 2));
}

inline bool inside(Point p, const Ring& ring) {
    bool in = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        if ((ring[i].y > p.y) != (ring[j].y > p.y) &&
            p.x < (ring[j].x - ring[i].x) * (p.y - ring[i].y) / (ring[j].y - ring[i].y) + ring[i].x) {
            in = !in;
        }
    }
    return in;
}

inline double distance(const Primitive& a, const Primitive& b, int samples) {
    if ((!a.filled.empty() && inside(at(b.pieces.front(), 0), a.filled)) ||
        (!b.filled.empty() && inside(at(a.pieces.front(), 0), b.filled))) {
        return 0;
    }
    double best = 1e300;
    for (const Piece& p : a.pieces) {
        for (const Piece& q : b.pieces) {
            const double apart = std::min(piecesApart(p, q, samples), piecesApart(q, p, samples));
            best = std::min(best, apart - p.reach - q.reach);
        }
    }
    return std::max(0.0, best);
}

// A random placement: a turn and, half the time, a mirror image (x -> -x before turning).
struct Placement {
    double turn = 0; // radians
    bool mirror = false;
    Point apply(Point p) const {
        const double x = mirror ? -p.x : p.x;
        return {x * std::cos(turn) - p.y * std::sin(turn), x * std::sin(turn) + p.y * std::cos(turn)};
    }
    // An arc's start and sweep (radians) once placed.
    double startOf(double start, double sweep) const {
        return (mirror ? std::numbers::pi - start - sweep : start) + turn;
    }
};

inline Point randomPoint(std::mt19937_64& random, double span) {
    std::uniform_real_distribution<double> coordinate(-span, span);
    return {coordinate(random), coordinate(random)};
}

inline Primitive segmentPrimitive(Point a, Point b, double width) {
    return {Line{a, b, width}, {{.a = a, .b = b, .reach = width / 2}}, {}};
}

inline Primitive randomPrimitive(std::mt19937_64& random, const Placement& placement) {
    std::uniform_real_distribution<double> unit(0, 1);
    const Point c = placement.apply(randomPoint(random, 40));
    const double width = unit(random) < 0.2 ? 0 : 10 * unit(random);
    const double radius = 2 + 30 * unit(random);
    switch (random() % 4) {
    case 0:
        return segmentPrimitive(c, placement.apply(randomPoint(random, 40)), width);
    case 1: {
        const double start = 2 * std::numbers::pi * unit(random);
        const double sweep = 0.05 + (2 * std::numbers::pi - 0.1) * unit(random);
        const double placedStart = placement.startOf(start, sweep);
        const double degrees = 180 / std::numbers::pi;
        return {Arc{c, radius, placedStart * degrees, sweep * degrees, width},
                {{.center = c, .radius = radius, .start = placedStart, .sweep = sweep, .reach = width / 2}},
                {}};
    }
    case 2:
        return {Circle{c, radius, 0}, {{.a = c, .b = c, .reach = radius}}, {}};
    default: {
        Ring ring;
        for (double angle = 0; angle < 2 * std::numbers::pi; angle += 0.4 + unit(random)) {
            const double r = radius * (0.5 + unit(random));
            ring.push_back(
                {c.x + r * std::cos(angle + placement.turn), c.y + r * std::sin(angle + placement.turn)});
        }
        Primitive polygon{Polygon{ring, {}}, {}, ring};
        for (std::size_t i = 0; i < ring.size(); ++i) {
            polygon.pieces.push_back({.a = ring[i], .b = ring[(i + 1) % ring.size()]});
        }
        return polygon;
    }
    }
}

} // namespace lumora::engine::reference
