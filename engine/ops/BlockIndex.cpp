#include "engine/ops/BlockIndex.h"

#include "engine/measure/WhileWaiting.h"

namespace lumora::engine {

namespace {

BlockEntry entryOf(const DataItem& item, std::size_t position) {
    BlockEntry entry{.position = static_cast<uint32_t>(position)};
    if (const auto* graphic = std::get_if<Graphic>(&item)) {
        entry.layer = graphic->layer;
        entry.graphicClass = graphic->graphicClass;
    } else {
        const Insert& insert = std::get<Insert>(item);
        entry.insert = true;
        entry.geometry = insert.geometry;
        entry.insertType = insert.insertType;
        entry.mirror = insert.mirror;
    }
    return entry;
}

} // namespace

const std::vector<BlockEntry>& BlockIndexes::of(int16_t geomNum, const Geometry& block) {
    auto [found, added] = entries_.try_emplace(geomNum);
    if (added) {
        found->second.reserve(block.data.size());
        EventSlices events; // a board's block is a million items to read
        for (std::size_t position = 0; position < block.data.size(); ++position) {
            events.tick();
            found->second.push_back(entryOf(block.data[position], position));
        }
    }
    return found->second;
}

} // namespace lumora::engine
