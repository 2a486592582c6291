#include "engine/ops/KeptItems.h"

#include "engine/ops/EmittedItems.h"
#include "engine/runtime/WhileWaiting.h"
#include "engine/runtime/WorkerPool.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace lumora::engine {

namespace {

constexpr std::size_t kRange = 1024;

std::size_t rangesOf(const ItemArray& items) {
    return (items.size() + kRange - 1) / kRange;
}

// Which items drop picks, decided on the pool: the edge-to-feature and keepout tests filter a
// board's hundreds of thousands of flattened items by an attribute.
std::vector<char> droppedOf(const ItemArray& items, const std::function<bool(const DataItem&)>& drop) {
    std::vector<char> dropped(items.size());
    workerPool().runEach(rangesOf(items), [&](std::size_t range) {
        const std::size_t end = std::min(items.size(), (range + 1) * kRange);
        for (std::size_t i = range * kRange; i < end; ++i) {
            dropped[i] = drop(items.begin()[i]) ? 1 : 0;
        }
    });
    return dropped;
}

// The items not dropped, copied in ranges on the pool, or moved when no one else holds them.
SharedItems keptOf(const SharedItems& shared, const std::vector<char>& dropped) {
    // The last holder: made as a changeable array, so its items may be moved.
    const bool last = shared.use_count() == 1;
    std::vector<EmittedItems> parts(rangesOf(*shared));
    workerPool().runEach(parts.size(), [&](std::size_t range) {
        const std::size_t end = std::min(shared->size(), (range + 1) * kRange);
        for (std::size_t i = range * kRange; i < end; ++i) {
            if (dropped[i] != 0) {
                continue;
            }
            const DataItem& item = shared->begin()[i];
            if (last) {
                parts[range].add(std::move(const_cast<DataItem&>(item)));
            } else {
                parts[range].add(item);
            }
        }
    });
    return itemsInOrder(parts);
}

} // namespace

void dropItemsInParts(Geometry& geometry, const std::function<bool(const DataItem&)>& drop) {
    EventSlices events; // a geometry's own items are a flattened board after a polygon call
    std::erase_if(geometry.data, [&](const DataItem& item) {
        events.tick();
        return drop(item);
    });
    std::vector<SharedItems> kept;
    for (SharedItems& shared : geometry.sharedData) {
        const std::vector<char> dropped = droppedOf(*shared, drop);
        const auto count = static_cast<std::size_t>(std::ranges::count(dropped, 1));
        if (count == 0) {
            kept.push_back(std::move(shared));
        } else if (count < dropped.size()) {
            kept.push_back(keptOf(shared, dropped));
        }
    }
    geometry.sharedData = std::move(kept);
}

} // namespace lumora::engine
