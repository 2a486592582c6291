#include "engine/ops/Filter.h"

#include "engine/model/GeometryItems.h"
#include "engine/model/Refusal.h"
#include "engine/ops/Flatten.h"
#include "engine/ops/ItemAttributes.h"
#include "engine/runtime/WhileWaiting.h"

namespace lumora::engine {

void filterGeometry(Design& design, int16_t geomNum, const AttributeCondition& condition) {
    Geometry& geometry = flattenGeometry(design, geomNum);
    if (condition.keyword().empty()) {
        throw Refusal(rc::ValueOutOfRange, "no keyword to filter by");
    }
    EventSlices events; // a flattened board is a million items
    dropItems(geometry, [&](const DataItem& item) {
        events.tick();
        const auto* graphic = std::get_if<Graphic>(&item);
        return graphic && condition.matches(attributeOf(*graphic, condition.keyword()));
    });
}

} // namespace lumora::engine
