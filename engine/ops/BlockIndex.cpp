#include "engine/ops/BlockIndex.h"

#include "engine/runtime/WhileWaiting.h"

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

// Everything of an entry but its position, in one number: a graphic has no insert's fields and an
// insert no graphic's.
uint64_t kindKey(const BlockEntry& entry) {
    const auto bits = [](int16_t value) { return static_cast<uint64_t>(static_cast<uint16_t>(value)); };
    const uint64_t fields = entry.insert ? bits(entry.geometry) << 16 | bits(entry.insertType)
                                         : bits(entry.layer) << 16 | bits(entry.graphicClass);
    return fields | static_cast<uint64_t>(entry.mirror) << 32 | static_cast<uint64_t>(entry.insert) << 33;
}

} // namespace

const BlockIndex& BlockIndexes::of(int16_t geomNum, const Geometry& block) {
    auto [found, added] = indexes_.try_emplace(geomNum);
    if (added) {
        BlockIndex& index = found->second;
        index.entries.reserve(block.data.size());
        std::unordered_map<uint64_t, uint32_t> kinds;
        EventSlices events; // a board's block is a million items to read
        for (std::size_t position = 0; position < block.data.size(); ++position) {
            events.tick();
            BlockEntry entry = entryOf(block.data[position], position);
            entry.kind = kinds.try_emplace(kindKey(entry), static_cast<uint32_t>(kinds.size())).first->second;
            index.entries.push_back(entry);
        }
        index.kinds = kinds.size();
    }
    return found->second;
}

} // namespace lumora::engine
