#pragma once

#include "engine/findings/Finding.h"
#include "engine/measure/FlatItems.h"

#include <vector>

namespace lumora::engine {

// The flattened items of one component (or of one fiducial, tooling hole ... placed on its own),
// measured as a whole: a component is as near to an edge as its nearest item.
struct ItemGroup {
    DrcItem item;
    int16_t surface = surface::Top;
    Box box;                       // around every member
    std::vector<FlatItem> members; // in the geometry's order
};

// The groups of the items in the order their first members appear; items from no component form a
// group each.
std::vector<ItemGroup> groupsByComponent(std::vector<FlatItem> items);

} // namespace lumora::engine
