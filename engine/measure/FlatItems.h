#pragma once

#include "engine/geom/Footprint.h"
#include "engine/model/Design.h"

#include <vector>

namespace lumora::engine {

// A graphic of a flatten geometry with what it occupies.
struct FlatItem {
    const Graphic* graphic;
    Footprint footprint;
};

// The graphics of a flatten geometry that occupy something, in the geometry's order.
std::vector<FlatItem> flatItemsOf(const Geometry& geometry);

// Their boxes, for BoxIndex and nearPairs.
std::vector<Box> boxesOf(const std::vector<FlatItem>& items);

// The insert a flattened graphic was placed by (a via, a testpoint, a pin), as the data positions
// leading to it: graphics of one insert share it. Empty for graphics of the file's own block.
std::vector<int32_t> insertPathOf(const Graphic& graphic);

// The object a flattened graphic is part of, for checks that report each pair of objects once: the
// insert that placed it (a via, a pin, a testpoint, a component's body), else the board's outline
// for every outline item, else the graphic itself (a trace, an area). Graphics of one object have
// equal keys, also across two geometries flattened from one file.
using ObjectKey = std::vector<int32_t>;
ObjectKey objectOf(const Graphic& graphic);

// Whether two graphics flattened from the file block `fileBlock` are parts of one padstack insert,
// such as a via's pad and its drill: one object, which is never too close to itself.
bool ofOnePadstack(const Design& design, const Geometry& fileBlock, const Graphic& a, const Graphic& b);

// A geometry's items grouped by the insert that placed them, in order of the first item of each.
using InsertItems = std::vector<const FlatItem*>;
std::vector<InsertItems> groupByInsert(const std::vector<FlatItem>& items);

} // namespace lumora::engine
