#pragma once

#include "engine/geom/Areas.h"
#include "engine/model/Design.h"

#include <set>
#include <vector>

namespace lumora::engine {

// The outer copper sides a layer belongs to: pad and unstacked signal layers by their type, stack-up
// layers by being the first or the last electrical layer.
struct OuterSides {
    bool top = false;
    bool bottom = false;
};
OuterSides outerSides(const Design& design, int16_t layer);

// One pin of a component geometry with the copper of its padstack on each outer side, in the
// component's coordinates.
struct PinPads {
    std::size_t position = 0; // of the pin insert in the component geometry's data
    Point center;
    Area top;
    Area bottom;
    bool surfaceMount = false; // its padstack has no drill hole
};
std::vector<PinPads> pinPadsOf(const Design& design, const Geometry& component);

// The geometries that component inserts place.
std::set<int16_t> componentGeometries(const Design& design);

} // namespace lumora::engine
