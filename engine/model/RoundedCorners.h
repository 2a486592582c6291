#pragma once

#include "engine/model/Shapes.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lumora::engine {

// One corner of an outline as it is drawn. A sharp corner is its point (`from` = `to`, radius 0); a
// rounded one the arc of `radius` around `center` that leaves the side before the corner at `from`
// and meets the side after it at `to`, running `sweepDegrees` (the outline's own sense) from
// `startDegrees`.
struct DrawnCorner {
    Point from{};
    Point to{};
    Point center{};
    double radius = 0;
    double startDegrees = 0;
    double sweepDegrees = 0;
    bool rounded() const { return radius > 0; }
};

// The corners of an outline whose corner i carries radii[i] (no radii: every corner sharp). A radius
// that the design's values refuse (cornerRadiusProblem) is drawn as a sharp corner.
std::vector<DrawnCorner> drawnCorners(std::span<const Point> outline, std::span<const double> radii);

// Why radii cannot round the outline's corners: their number is not the outline's, one is negative
// or not finite, one rounds a corner that turns inward, or two of them together take more than the
// side between them. Nothing when they can.
std::optional<std::string> cornerRadiusProblem(std::span<const Point> outline, std::span<const double> radii);

} // namespace lumora::engine
