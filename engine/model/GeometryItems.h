#pragma once

#include "engine/model/Design.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <vector>

namespace lumora::engine {

// A geometry's items in order: its own (data), then the ones it shares (sharedData), as spans.
std::vector<std::span<const DataItem>> itemSpans(const Geometry& geometry);

std::size_t itemCount(const Geometry& geometry);
// The item at position, which must be below itemCount.
const DataItem& itemAt(const Geometry& geometry, std::size_t position);

template <class F> void forEachItem(const Geometry& geometry, F&& visit) {
    for (std::span<const DataItem> items : itemSpans(geometry)) {
        for (const DataItem& item : items) {
            visit(item);
        }
    }
}

// The geometry's items made its own but for those drop picks, for a call that removes items: a
// shared item is copied only when kept, and moved when no other geometry or memo shares it.
template <class Drop> void dropItems(Geometry& geometry, Drop drop) {
    std::erase_if(geometry.data, drop);
    for (SharedItems& shared : geometry.sharedData) {
        // The last holder: made as a changeable array, so its items may be moved.
        const bool last = shared.use_count() == 1;
        for (const DataItem& item : *shared) {
            if (!drop(item)) {
                geometry.data.push_back(last ? std::move(const_cast<DataItem&>(item)) : item);
            }
        }
    }
    geometry.sharedData.clear();
}

// The geometry's items made its own, for a call that changes them.
std::vector<DataItem>& ownItems(Geometry& geometry);

} // namespace lumora::engine
