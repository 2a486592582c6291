#include "engine/ops/Filter.h"

#include "engine/model/Refusal.h"
#include "engine/ops/Flatten.h"
#include "engine/ops/ItemAttributes.h"
#include "engine/ops/KeptItems.h"

namespace lumora::engine {

void filterGeometry(Design& design, int16_t geomNum, const AttributeCondition& condition) {
    Geometry& geometry = flattenGeometry(design, geomNum);
    if (condition.keyword().empty()) {
        throw Refusal(rc::ValueOutOfRange, "no keyword to filter by");
    }
    dropItemsInParts(geometry, [&](const DataItem& item) {
        const auto* graphic = std::get_if<Graphic>(&item);
        return graphic && condition.matches(attributeOf(*graphic, condition.keyword()));
    });
}

} // namespace lumora::engine
