#include "engine/ops/EtchBlockers.h"

#include "engine/geom/Transform.h"
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

Area placedArea(const Area& local, const Transform& transform) {
    Area result;
    for (const AreaPolygon& polygon : local) {
        result = unite(result, areaOf(transform.apply(toPolygon(polygon))));
    }
    return result;
}

std::vector<DataItem> blockersOf(const Insert& insert, const std::vector<PinPads>& pins, double maxPinPitch,
                                 BlockerLayers layers) {
    const Transform transform = Transform::of(insert);
    std::vector<PlacedPad> top;
    std::vector<PlacedPad> bottom;
    for (const PinPads& pin : pins) {
        if (!pin.surfaceMount) {
            continue;
        }
        const Point center = transform.apply(pin.center);
        // A mirrored component puts its top pads on the bottom.
        const Area& onTop = transform.mirrored() ? pin.bottom : pin.top;
        const Area& onBottom = transform.mirrored() ? pin.top : pin.bottom;
        if (!onTop.empty()) {
            top.push_back({center, placedArea(onTop, transform)});
        }
        if (!onBottom.empty()) {
            bottom.push_back({center, placedArea(onBottom, transform)});
        }
    }
    std::vector<DataItem> blockers;
    addBlockers(top, maxPinPitch, layers.top, blockers);
    addBlockers(bottom, maxPinPitch, layers.bottom, blockers);
    return blockers;
}

void blockComponents(const Design& design, double maxPinPitch, BlockerLayers layers, Geometry& board) {
    std::vector<const Insert*> components;
    std::map<int16_t, std::vector<PinPads>> pinsOfBlock; // a footprint's pads, read once for its copies
    for (const DataItem& item : board.data) {
        const auto* insert = std::get_if<Insert>(&item);
        if (insert && insert->insertType == insert_type::Component) {
            components.push_back(insert);
            if (!pinsOfBlock.contains(insert->geometry)) {
                pinsOfBlock.emplace(insert->geometry, pinPadsOf(design, design.geometry(insert->geometry)));
            }
        }
    }
    std::vector<std::vector<DataItem>> blockers =
        measureInParallel<std::vector<DataItem>>(components.size(), [&](std::size_t i) {
            return blockersOf(*components[i], pinsOfBlock.at(components[i]->geometry), maxPinPitch, layers);
        });
    std::size_t added = 0;
    for (const std::vector<DataItem>& ofComponent : blockers) {
        added += ofComponent.size();
    }
    board.data.reserve(board.data.size() + added); // one move of a large board's items, not several
    EventSlices events;
    for (std::vector<DataItem>& ofComponent : blockers) {
        for (DataItem& blocker : ofComponent) {
            board.data.push_back(std::move(blocker));
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
    for (auto& [number, geometry] : design.geometries) {
        if (geometry.blockType != block_type::Board) {
            continue;
        }
        blockComponents(design, maxPinPitch, layers, geometry);
    }
    return layers;
}

} // namespace lumora::engine
