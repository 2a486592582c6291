#include "drawing/PadOutline.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lumora::drawing {

namespace {

namespace ps = pad_shape;

// The octagon a pad of this diameter fits in, flat sides facing the axes.
engine::Ring octagon(double diameter) {
    engine::Ring ring;
    const double radius = diameter / 2 / std::cos(std::numbers::pi / 8);
    for (int i = 0; i < 8; ++i) {
        const double angle = std::numbers::pi / 8 + i * std::numbers::pi / 4;
        ring.push_back({radius * std::cos(angle), radius * std::sin(angle)});
    }
    return ring;
}

} // namespace

PadOutline padOutline(const engine::Pad& pad) {
    const double w = pad.sizeX;
    const double h = pad.sizeY == 0 ? pad.sizeX : pad.sizeY;
    using Kind = PadOutline::Kind;
    switch (pad.shape) {
    case ps::Square:
        return {.kind = Kind::Rectangle, .width = w, .height = w};
    case ps::Rectangle:
        return {.kind = Kind::Rectangle, .width = w, .height = h};
    case ps::Oblong:
        return {.kind = Kind::Rounded, .width = w, .height = h, .corner = std::min(w, h) / 2};
    case ps::Octagon:
        return {.kind = Kind::Polygon, .points = octagon(w)};
    case ps::Complex:
        return {.kind = Kind::Polygon,
                .points = engine::Ring(engine::outlineOf(pad).begin(), engine::outlineOf(pad).end())};
    case ps::Blank:
        return {};
    default: // round, target, donut, thermal
        return {.kind = Kind::Disc, .width = w, .hole = innerOf(pad) > 0 ? innerOf(pad) : 0};
    }
}

} // namespace lumora::drawing
