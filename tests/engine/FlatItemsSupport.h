#pragma once

#include "engine/findings/CheckContext.h"
#include "engine/ops/Flatten.h"
#include "tests/engine/EngineTestDesigns.h"

#include <string>
#include <vector>

namespace lumora::engine::test {

// A flattened item as a check meets it: "R1-2" names component R1's pin 2, "V1" an insert without
// pins, "" the board itself.
inline Graphic flatItem(Shape shape, const std::string& who, const std::string& net = "", int16_t layer = 1) {
    Graphic graphic;
    graphic.shape = std::move(shape);
    graphic.layer = layer;
    graphic.net = net;
    const auto dash = who.find('-');
    graphic.origin = FlatOrigin{.component = who.substr(0, dash),
                                .pin = dash == std::string::npos ? "" : who.substr(dash + 1)};
    return graphic;
}

inline Shape roundPad(double x, double y, double size) {
    return Pad{.shape = pad_shape::Round, .at = {x, y}, .sizeX = size, .sizeY = size};
}

inline Shape rectangle(double x0, double y0, double x1, double y1) {
    return Polygon{{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, {}};
}

// A flatten geometry of file 1 holding the items; each item comes from an insert of its own unless
// it names the same insert (its "who") as the item before it.
inline int16_t flatGeometry(Design& design, std::vector<Graphic> items) {
    const int16_t number = createFlattenGeometry(design, 1);
    int32_t insert = 0;
    std::string previous;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string who = items[i].origin->component.str() + "-" + items[i].origin->pin.str();
        insert += (i == 0 || who != previous) ? 1 : 0;
        FlatOrigin origin = *items[i].origin;
        origin.insertPath = {insert};
        items[i].origin = std::move(origin);
        items[i].sourcePosition = static_cast<int32_t>(i);
        previous = who;
        design.geometry(number).data.emplace_back(std::move(items[i]));
    }
    return number;
}

} // namespace lumora::engine::test
