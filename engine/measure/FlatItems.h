#pragma once

#include "engine/geom/Footprint.h"
#include "engine/model/Design.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <unordered_map>
#include <utility>
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

// The area the item covers; empty for points, paths and outlines (see Footprint).
Area areaOf(const FlatItem& item);
// Whether one reaches into the inside of the other (see Footprint).
bool overlaps(const FlatItem& a, const FlatItem& b);

// The graphics of a flatten geometry that may occupy something, each with its rough box
// (roughBoxOf), in the geometry's order: for checks that need footprints of a few items only.
struct RoughItems {
    std::vector<const Graphic*> graphics;
    std::vector<Box> boxes;
};
RoughItems roughItemsOf(const Geometry& geometry);

// The footprints of the graphics at some positions, built on the worker pool.
class SomeFootprints {
  public:
    SomeFootprints(std::span<const Graphic* const> graphics, const std::vector<char>& wanted);
    // Null for an item not wanted or whose footprint is empty.
    const Footprint* at(std::size_t position) const;

  private:
    // Position -> index into footprints_, or none; 32 bits, as a copper check keeps one for each
    // of a board's items.
    std::vector<uint32_t> slots_;
    std::vector<Footprint> footprints_;
};

// The insert a flattened graphic was placed by (a via, a testpoint, a pin), as the data positions
// leading to it, viewed in the graphic's origin: graphics of one insert share it. Empty for graphics
// of the file's own block.
std::span<const int32_t> insertPathOf(const Graphic& graphic);

// The object a flattened graphic is part of, for checks that report each pair of objects once: the
// insert that placed it (a via, a pin, a testpoint, a component's body), else the board's outline
// for every outline item, else the graphic itself (a trace, an area). Graphics of one object have
// equal keys, also across two geometries flattened from one file.
using ObjectKey = std::vector<int32_t>;
ObjectKey objectOf(const Graphic& graphic);

// Whether two graphics flattened from the file block `fileBlock` are parts of one padstack insert,
// such as a via's pad and its drill: one object, which is never too close to itself.
bool ofOnePadstack(const Design& design, const Geometry& fileBlock, const Graphic& a, const Graphic& b);

// Items grouped by the key keyOf gives each, in order of the first item of each group. An item with
// the key of the item before it joins that one's group without a lookup: a flattened insert's items
// come one after another.
using InsertItems = std::vector<const FlatItem*>;
template <class Key, class Hash = std::hash<Key>, class Equal = std::equal_to<Key>, class KeyOf>
std::vector<InsertItems> groupItemsBy(const std::vector<FlatItem>& items, KeyOf keyOf) {
    std::vector<InsertItems> groups;
    std::unordered_map<Key, std::size_t, Hash, Equal> groupOf;
    groupOf.reserve(items.size());
    std::optional<Key> lastKey;
    std::size_t lastGroup = 0;
    for (const FlatItem& item : items) {
        Key key = keyOf(item);
        if (!lastKey || !Equal{}(*lastKey, key)) {
            const auto [found, added] = groupOf.try_emplace(key, groups.size());
            if (added) {
                groups.emplace_back();
            }
            lastGroup = found->second;
            lastKey = std::move(key);
        }
        groups[lastGroup].push_back(&item);
    }
    return groups;
}

// A geometry's items grouped by the insert that placed them, in order of the first item of each.
std::vector<InsertItems> groupByInsert(const std::vector<FlatItem>& items);

} // namespace lumora::engine
