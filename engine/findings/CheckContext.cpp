#include "engine/findings/CheckContext.h"

#include "engine/model/GeometryItems.h"
#include "engine/model/Refusal.h"
#include "engine/ops/Flatten.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace lumora::engine {

namespace {

bool finite(const Point& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

bool finite(std::span<const Point> ring) {
    return std::ranges::all_of(ring, [](const Point& p) { return finite(p); });
}

// Geometry that is not finite would make every distance and index below meaningless.
struct FiniteShape {
    bool operator()(const Pad& p) const {
        return finite(p.at) && finite(outlineOf(p)) &&
               std::isfinite(p.sizeX + p.sizeY + innerOf(p) + spokeWidthOf(p));
    }
    bool operator()(const Line& l) const { return finite(l.from) && finite(l.to) && std::isfinite(l.width); }
    bool operator()(const Arc& a) const {
        return finite(a.center) && std::isfinite(a.radius + a.start + a.sweep + a.width);
    }
    bool operator()(const Circle& c) const { return finite(c.center) && std::isfinite(c.radius + c.width); }
    bool operator()(const Polygon& p) const {
        return finite(p.outline) && std::ranges::all_of(p.holes, [](const Ring& r) { return finite(r); });
    }
    bool operator()(const Mark& m) const { return finite(m.at); }
};

} // namespace

// The one entry through which checks reach placed items: non-finite geometry is refused here.
const Geometry& CheckContext::flattened(int16_t geomNum) const {
    const Geometry& flat = flattenGeometry(design_, geomNum);
    forEachItem(flat, [&](const DataItem& item) {
        const auto* graphic = std::get_if<Graphic>(&item);
        if (graphic != nullptr && !std::visit(FiniteShape{}, graphic->shape)) {
            throw Refusal(rc::ValueOutOfRange, "geometry " + std::to_string(geomNum) +
                                                   " holds coordinates that are not finite numbers");
        }
    });
    return flat;
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
    if (const std::string* id = graphic.attributes.find(keyword::SourceId)) {
        item.id = *id;
    }
    return item;
}

} // namespace lumora::engine
