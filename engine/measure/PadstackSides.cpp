#include "engine/measure/PadstackSides.h"

#include "engine/ops/PinPads.h"

namespace lumora::engine {

namespace {

void addCopper(SideCopper& side, const Graphic& graphic) {
    if (const auto* pad = std::get_if<Pad>(&graphic.shape); pad && side.shape == 0) {
        side.shape = pad->shape;
    }
    const std::optional<Box> extent = extentOf(graphic.shape);
    if (!extent) {
        return;
    }
    if (side.extent) {
        bg::expand(*side.extent, *extent);
    } else {
        side.extent = extent;
    }
}

} // namespace

PadstackSides padstackSides(const Design& design, const Geometry& padstack, bool mirrored) {
    PadstackSides sides;
    for (const DataItem& item : padstack.data) {
        const auto* graphic = std::get_if<Graphic>(&item);
        if (!graphic) {
            continue;
        }
        const OuterSides outer =
            outerSides(design, mirrored ? design.mirrorLayer(graphic->layer) : graphic->layer);
        if (outer.top) {
            addCopper(sides.top, *graphic);
        }
        if (outer.bottom) {
            addCopper(sides.bottom, *graphic);
        }
    }
    return sides;
}

const PadstackSides& PadstackSidesMemo::of(int16_t padstack, bool mirrored) {
    const std::pair key{padstack, mirrored};
    const std::lock_guard lock(mutex_);
    auto found = known_.find(key);
    if (found == known_.end()) {
        found = known_.emplace(key, padstackSides(design_, design_.geometry(padstack), mirrored)).first;
    }
    return found->second;
}

} // namespace lumora::engine
