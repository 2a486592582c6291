#pragma once

#include "engine/measure/PlacedInserts.h"

#include <functional>

namespace lumora::engine {

// A via as the via checks measure it: its placement, padstack and drill in the file's units.
struct MeasuredVia {
    const PlacedInsert& placed;
    const Geometry& padstack;
    double hole;
};

// The vias of file filePos whose drill is at least ignoreHoleSize (smaller ones, such as laser
// vias, follow other rules), in the order of forEachPlacedInsert.
void forEachMeasuredVia(const Design& design, int32_t filePos, double ignoreHoleSize,
                        const std::function<void(const MeasuredVia&)>& visit);

} // namespace lumora::engine
