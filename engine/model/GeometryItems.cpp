#include "engine/model/GeometryItems.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace lumora::engine {

std::vector<std::span<const DataItem>> itemSpans(const Geometry& geometry) {
    std::vector<std::span<const DataItem>> spans{geometry.data};
    for (const SharedItems& shared : geometry.sharedData) {
        spans.emplace_back(*shared);
    }
    return spans;
}

std::size_t itemCount(const Geometry& geometry) {
    std::size_t count = geometry.data.size();
    for (const SharedItems& shared : geometry.sharedData) {
        count += shared->size();
    }
    return count;
}

const DataItem& itemAt(const Geometry& geometry, std::size_t position) {
    std::size_t rest = position;
    for (std::span<const DataItem> items : itemSpans(geometry)) {
        if (rest < items.size()) {
            return items[rest];
        }
        rest -= items.size();
    }
    throw std::out_of_range("no item at position " + std::to_string(position));
}

std::vector<DataItem>& ownItems(Geometry& geometry) {
    if (geometry.sharedData.empty()) {
        return geometry.data;
    }
    geometry.data.reserve(itemCount(geometry));
    for (SharedItems& shared : geometry.sharedData) {
        // The last holder: made as a changeable array, so its items may be moved.
        const bool last = shared.use_count() == 1;
        for (const DataItem& item : *shared) {
            geometry.data.push_back(last ? std::move(const_cast<DataItem&>(item)) : item);
        }
    }
    geometry.sharedData.clear();
    return geometry.data;
}

} // namespace lumora::engine
