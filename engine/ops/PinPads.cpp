#include "engine/ops/PinPads.h"

#include "engine/geom/Transform.h"

namespace lumora::engine {

namespace {

bool isStackedCopper(int16_t type) {
    return type == layer_type::Signal || type == layer_type::Plane || type == layer_type::SplitPlane;
}

void collectPads(const Design& design, const Geometry& geometry, const Transform& transform, PinPads& pin) {
    for (const DataItem& item : geometry.data) {
        if (const auto* insert = std::get_if<Insert>(&item)) {
            collectPads(design, design.geometry(insert->geometry), Transform::of(*insert).then(transform),
                        pin);
            continue;
        }
        const auto& graphic = std::get<Graphic>(item);
        const int16_t layer = transform.mirrored() ? design.mirrorLayer(graphic.layer) : graphic.layer;
        const OuterSides sides = outerSides(design, layer);
        if (!sides.top && !sides.bottom) {
            continue;
        }
        const Area area = areaOf(transform.apply(graphic.shape));
        if (sides.top) {
            pin.top = unite(pin.top, area);
        }
        if (sides.bottom) {
            pin.bottom = unite(pin.bottom, area);
        }
    }
}

} // namespace

OuterSides outerSides(const Design& design, int16_t layer) {
    if (layer < 0 || static_cast<std::size_t>(layer) >= design.layers.size() || !design.layers[layer]) {
        return {};
    }
    const Layer& l = *design.layers[layer];
    switch (l.type) {
    case layer_type::PadTop:
    case layer_type::SignalTop:
        return {true, false};
    case layer_type::PadBottom:
    case layer_type::SignalBottom:
        return {false, true};
    case layer_type::PadAll:
    case layer_type::SignalAll:
        return {true, true};
    default:
        break;
    }
    if (!isStackedCopper(l.type) || l.electrical <= 0) {
        return {};
    }
    return {l.electrical == 1, l.electrical == design.maxElectrical()};
}

std::vector<PinPads> pinPadsOf(const Design& design, const Geometry& component) {
    std::vector<PinPads> pins;
    for (std::size_t position = 0; position < component.data.size(); ++position) {
        const auto* insert = std::get_if<Insert>(&component.data[position]);
        if (!insert || insert->insertType != insert_type::Pin) {
            continue;
        }
        const Geometry& padstack = design.geometry(insert->geometry);
        PinPads pin;
        pin.position = position;
        pin.center = insert->at;
        pin.surfaceMount = padstack.hole.size <= 0;
        collectPads(design, padstack, Transform::of(*insert), pin);
        pins.push_back(std::move(pin));
    }
    return pins;
}

std::set<int16_t> componentGeometries(const Design& design) {
    std::set<int16_t> result;
    for (const auto& [number, geometry] : design.geometries) {
        for (const DataItem& item : geometry.data) {
            const auto* insert = std::get_if<Insert>(&item);
            if (insert && insert->insertType == insert_type::Component) {
                result.insert(insert->geometry);
            }
        }
    }
    return result;
}

} // namespace lumora::engine
