#pragma once

#include "engine/model/Design.h"

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

// The geometry's items made its own, for a call that changes them.
std::vector<DataItem>& ownItems(Geometry& geometry);

} // namespace lumora::engine
