#include "engine/ops/EtchBlockers.h"

#include "engine/ops/PinPads.h"
#include "engine/runtime/Parallel.h"
#include "engine/runtime/WhileWaiting.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace lumora::engine {

namespace {

constexpr double kRelativeTolerance = 1e-6;

struct PlacedPad {
    Point center;
    Area copper;
};

struct Span {
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
};

Span project(const Area& area, Point axis) {
    Span span;
    for (const AreaPolygon& polygon : area) {
        for (const AreaPoint& p : polygon.outer()) {
            const double value = p.x() * axis.x + p.y() * axis.y;
            span.low = std::min(span.low, value);
            span.high = std::max(span.high, value);
        }
    }
    return span;
}

double distance(Point a, Point b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

// The rectangle between the facing edges of a and b, as wide as their overlap across the gap.
std::optional<Polygon> blockerBetween(const PlacedPad& a, const PlacedPad& b) {
    const double length = distance(a.center, b.center);
    if (length <= 0) {
        return std::nullopt;
    }
    const Point along{(b.center.x - a.center.x) / length, (b.center.y - a.center.y) / length};
    const Point across{-along.y, along.x};
    const double gapStart = project(a.copper, along).high;
    const double gapEnd = project(b.copper, along).low;
    const Span sideA = project(a.copper, across);
    const Span sideB = project(b.copper, across);
    const double low = std::max(sideA.low, sideB.low);
    const double high = std::min(sideA.high, sideB.high);
    if (gapEnd <= gapStart || high <= low) {
        return std::nullopt;
    }
    auto at = [&](double s, double t) {
        return Point{along.x * s + across.x * t, along.y * s + across.y * t};
    };
    return Polygon{{at(gapStart, low), at(gapEnd, low), at(gapEnd, high), at(gapStart, high)}, {}};
}

void addBlockers(const std::vector<PlacedPad>& pads, double maxPinPitch, int16_t layer,
                 std::vector<DataItem>& blockers) {
    std::vector<double> nearest(pads.size(), std::numeric_limits<double>::max());
    for (std::size_t i = 0; i < pads.size(); ++i) {
        for (std::size_t j = 0; j < pads.size(); ++j) {
            if (i != j) {
                nearest[i] = std::min(nearest[i], distance(pads[i].center, pads[j].center));
            }
        }
    }
    auto neighbours = [&](std::size_t i, std::size_t j) {
        const double d = distance(pads[i].center, pads[j].center);
        return d <= maxPinPitch * (1 + kRelativeTolerance) &&
               (d <= nearest[i] * (1 + kRelativeTolerance) || d <= nearest[j] * (1 + kRelativeTolerance));
    };
    for (std::size_t i = 0; i < pads.size(); ++i) {
        for (std::size_t j = i + 1; j < pads.size(); ++j) {
            if (!neighbours(i, j)) {
                continue;
            }
            if (auto blocker = blockerBetween(pads[i], pads[j])) {
                Graphic graphic;
                graphic.shape = std::move(*blocker);
                graphic.layer = layer;
                graphic.graphicClass = graphic_class::Keepout;
                blockers.emplace_back(std::move(graphic));
            }
        }
    }
}

// A footprint's blockers in its own units, on the layer of the side each pad lies on: a mirrored
// placement takes them to the other side with its pads, as the blocker layers mirror each other.
// pitchLimit is in the footprint's own units, the placement's scale taken out.
std::vector<DataItem> blockersOf(const std::vector<PinPads>& pins, double pitchLimit, BlockerLayers layers) {
    std::vector<PlacedPad> top;
    std::vector<PlacedPad> bottom;
    for (const PinPads& pin : pins) {
        if (!pin.surfaceMount) {
            continue;
        }
        if (!pin.top.empty()) {
            top.push_back({pin.center, pin.top});
        }
        if (!pin.bottom.empty()) {
            bottom.push_back({pin.center, pin.bottom});
        }
    }
    std::vector<DataItem> blockers;
    addBlockers(top, pitchLimit, layers.top, blockers);
    addBlockers(bottom, pitchLimit, layers.bottom, blockers);
    return blockers;
}

// The footprints the boards place, each with the scale of its first placement.
std::vector<std::pair<int16_t, double>> placedFootprints(const Design& design) {
    std::map<int16_t, double> scales;
    for (const auto& [number, geometry] : design.geometries) {
        if (geometry.blockType != block_type::Board) {
            continue;
        }
        for (const DataItem& item : geometry.data) {
            const auto* insert = std::get_if<Insert>(&item);
            if (insert && insert->insertType == insert_type::Component) {
                scales.try_emplace(insert->geometry, std::abs(insert->scale));
            }
        }
    }
    return {scales.begin(), scales.end()};
}

// The blockers go into each footprint, once however often it is placed, so that they are part of
// the component: a route between its pads is reported against the component, by its name, once.
void blockFootprints(Design& design, double maxPinPitch, BlockerLayers layers) {
    const std::vector<std::pair<int16_t, double>> footprints = placedFootprints(design);
    std::vector<std::vector<DataItem>> blockers =
        measureInParallel<std::vector<DataItem>>(footprints.size(), [&](std::size_t i) {
            const auto& [number, scale] = footprints[i];
            return blockersOf(pinPadsOf(design, design.geometry(number)), maxPinPitch / scale, layers);
        });
    EventSlices events;
    for (std::size_t i = 0; i < footprints.size(); ++i) {
        std::vector<DataItem>& data = design.geometry(footprints[i].first).data;
        for (DataItem& blocker : blockers[i]) {
            data.push_back(std::move(blocker));
            events.tick();
        }
    }
}

int16_t blockerLayer(Design& design, std::string_view name) {
    Layer layer;
    layer.name = design.unusedLayerName(name);
    layer.type = layer_type::EtchBlocker;
    return design.addLayer(std::move(layer));
}

} // namespace

BlockerLayers generateEtchBlockers(Design& design, double maxPinPitch) {
    BlockerLayers layers{blockerLayer(design, "ETCH_BLOCKER_TOP"),
                         blockerLayer(design, "ETCH_BLOCKER_BOTTOM")};
    design.layer(layers.top).mirror = layers.bottom;
    design.layer(layers.bottom).mirror = layers.top;
    blockFootprints(design, maxPinPitch, layers);
    return layers;
}

} // namespace lumora::engine
