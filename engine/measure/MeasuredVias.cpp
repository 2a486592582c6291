#include "engine/measure/MeasuredVias.h"

namespace lumora::engine {

void forEachMeasuredVia(const Design& design, int32_t filePos, double ignoreHoleSize,
                        const std::function<void(const MeasuredVia&)>& visit) {
    forEachPlacedInsert(design, filePos, [&](const PlacedInsert& placed) {
        if (placed.insert.insertType != insert_type::Via) {
            return;
        }
        const Geometry& padstack = design.geometry(placed.insert.geometry);
        const double hole = padstack.hole.size * placed.scale();
        if (hole >= ignoreHoleSize) {
            visit({placed, padstack, hole});
        }
    });
}

} // namespace lumora::engine
