#include "engine/io/ipc2581/Ipc2581Pads.h"

#include <cmath>

namespace lumora::engine::ipc2581 {

namespace {

bool samePlacement(const Transform& a, const Transform& b) {
    return a.offset() == b.offset() && a.linearKey() == b.linearKey();
}

} // namespace

std::optional<DrillHole> HolesByPlace::take(Point at) {
    const auto found = holes_.find({at.x, at.y});
    if (found == holes_.end() || found->second.empty()) {
        return std::nullopt;
    }
    DrillHole hole = std::move(found->second.front());
    found->second.erase(found->second.begin());
    return hole;
}

std::vector<DrillHole> HolesByPlace::untaken() const {
    std::vector<DrillHole> rest;
    for (const auto& [at, holes] : holes_) {
        rest.insert(rest.end(), holes.begin(), holes.end());
    }
    return rest;
}

Geometry padstackOf(const Design& design, const PadGroup& group, const std::optional<DrillHole>& hole) {
    const Transform& frame = group.frame();
    const Transform toFrame = frame.inverse();
    auto local = [&](int16_t layer) { return frame.mirrored() ? design.mirrorLayer(layer) : layer; };
    Geometry padstack{.blockType = block_type::Padstack};
    for (const PlacedPad& pad : group.pads) {
        // Pads of one pin are mostly placed alike; those are taken exactly as the file draws them.
        const bool asFrame = samePlacement(pad.placement, frame);
        const Transform relative = pad.placement.then(toFrame);
        for (const Shape& shape : pad.shapes) {
            padstack.data.emplace_back(
                Graphic{.shape = asFrame ? shape : relative.apply(shape), .layer = local(pad.layer)});
        }
    }
    if (hole && hole->diameter > 0) {
        padstack.hole =
            Hole{.size = hole->diameter * std::abs(std::get<2>(toFrame.linearKey())), .plated = hole->plated};
        if (hole->layer != 0) {
            const Transform disc = Transform(hole->at, 0, false, 1).then(toFrame);
            padstack.data.emplace_back(
                Graphic{.shape = disc.apply(Circle{{}, hole->diameter / 2, 0}), .layer = local(hole->layer)});
        }
    }
    return padstack;
}

std::string GeometryNames::unique(const std::string& name) {
    std::string candidate = name;
    for (int count = 2; !used_.insert(candidate).second; ++count) {
        candidate = name + " #" + std::to_string(count);
    }
    return candidate;
}

int16_t PadstackStore::add(Geometry padstack, const std::string& name) {
    std::vector<int16_t>& same = byName_[{name, padstack.data.size()}];
    for (int16_t number : same) {
        const Geometry& stored = design_.geometry(number);
        if (stored.hole == padstack.hole && stored.data == padstack.data) {
            return number;
        }
    }
    padstack.name = names_.unique(name);
    const int16_t number = design_.addGeometry(std::move(padstack));
    same.push_back(number);
    return number;
}

} // namespace lumora::engine::ipc2581
