#include "engine/measure/MeasuredVias.h"

namespace lumora::engine {

std::vector<Finding>
findingsPerMeasuredVia(const Design& design, int32_t filePos, double ignoreHoleSize,
                       const std::function<void(std::vector<Finding>& found, const MeasuredVia&)>& visit) {
    const auto visitVia = [&](std::vector<Finding>& found, const PlacedInsert& placed) {
        if (placed.insert.insertType != insert_type::Via) {
            return;
        }
        const Geometry& padstack = design.geometry(placed.insert.geometry);
        const double hole = padstack.hole.size * placed.scale();
        if (hole >= ignoreHoleSize) {
            visit(found, {placed, padstack, hole});
        }
    };
    return findingsPerPlacedInsert(design, filePos, visitVia);
}

} // namespace lumora::engine
