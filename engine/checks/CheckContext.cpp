#include "engine/checks/CheckContext.h"

#include "engine/ops/Flatten.h"

namespace lumora::engine {

const Geometry& CheckContext::flattened(int16_t geomNum) const {
    return flattenGeometry(design_, geomNum);
}

const Geometry& CheckContext::fileBlock(int32_t filePos) const {
    return design_.geometry(design_.file(filePos).geometry);
}

DrcItem findingItemOf(const Graphic& graphic) {
    DrcItem item{.net = graphic.net};
    if (graphic.origin) {
        item.component = graphic.origin->component;
        item.pin = graphic.origin->pin;
    }
    return item;
}

} // namespace lumora::engine
