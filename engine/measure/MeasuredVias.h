#pragma once

#include "engine/measure/PlacedInserts.h"

#include <functional>
#include <vector>

namespace lumora::engine {

// A via as the via checks measure it: its placement, padstack and drill in the file's units.
struct MeasuredVia {
    const PlacedInsert& placed;
    const Geometry& padstack;
    double hole;
};

// The findings visit(found, via) adds for each via of file filePos whose drill is at least
// ignoreHoleSize (smaller ones, such as laser vias, follow other rules), gathered as
// findingsPerPlacedInsert does.
std::vector<Finding>
findingsPerMeasuredVia(const Design& design, int32_t filePos, double ignoreHoleSize,
                       const std::function<void(std::vector<Finding>& found, const MeasuredVia&)>& visit);

} // namespace lumora::engine
