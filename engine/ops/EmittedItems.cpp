#include "engine/ops/EmittedItems.h"

#include "engine/runtime/WorkerPool.h"

#include <memory>

namespace lumora::engine {

SharedItems itemsInOrder(std::vector<EmittedItems>& parts) {
    std::vector<std::size_t> starts;
    starts.reserve(parts.size());
    std::size_t count = 0;
    for (const EmittedItems& part : parts) {
        starts.push_back(count);
        count += part.count();
    }
    auto items = std::make_shared<ItemArray>(count);
    workerPool().runEach(parts.size(), [&](std::size_t part) { parts[part].moveInto(*items, starts[part]); });
    return items;
}

} // namespace lumora::engine
