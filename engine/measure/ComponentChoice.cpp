#include "engine/measure/ComponentChoice.h"

namespace lumora::engine {

namespace {

struct PinDrills {
    bool any = false;     // the component has pins
    bool drilled = false; // one of them is drilled
};

PinDrills pinDrillsOf(const Design& design, const Geometry& component) {
    PinDrills drills;
    for (const DataItem& item : component.data) {
        const auto* insert = std::get_if<Insert>(&item);
        if (insert && insert->insertType == insert_type::Pin) {
            drills.any = true;
            drills.drilled = drills.drilled || design.geometry(insert->geometry).hole.size > 0;
        }
    }
    return drills;
}

} // namespace

bool ComponentChoice::chooses(const Design& design, const PlacedInsert& placed) const {
    if (placed.insert.insertType != insert_type::Component) {
        return false;
    }
    if (!(placed.surface() == surface::Top ? top : bottom)) {
        return false;
    }
    if (thruHole && surfaceMount) {
        return true;
    }
    const PinDrills drills = pinDrillsOf(design, design.geometry(placed.insert.geometry));
    return drills.any && (drills.drilled ? thruHole : surfaceMount);
}

} // namespace lumora::engine
