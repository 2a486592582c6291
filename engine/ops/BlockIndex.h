#pragma once

#include "engine/model/Design.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace lumora::engine {

// One item of a block as a flatten walk first reads it: what decides whether the walk goes on.
struct BlockEntry {
    uint32_t position = 0;
    uint32_t kind = 0;        // entries of one kind (all but the position alike) are decided alike
    int16_t layer = 0;        // graphics
    int16_t graphicClass = 0; // graphics
    int16_t geometry = 0;     // inserts: the block placed
    int16_t insertType = 0;   // inserts
    bool insert = false;
    bool mirror = false; // inserts
};

// A block's entries in data order, and how many kinds they come in: a board of tens of thousands of
// items has a few hundred kinds, so that a walk decides each kind once.
struct BlockIndex {
    std::vector<BlockEntry> entries;
    std::size_t kinds = 0;
};

// The entries of blocks, kept apart from their items: a board's own block holds tens of thousands
// of items, a run flattens it hundreds of times, and reading every item each time was most of a
// flatten call. Valid while the blocks do not change: the session drops them at every call that
// may change one.
class BlockIndexes {
  public:
    // The index of block, the design's geometry number geomNum.
    const BlockIndex& of(int16_t geomNum, const Geometry& block);
    void clear() { indexes_.clear(); }

  private:
    std::unordered_map<int16_t, BlockIndex> indexes_;
};

} // namespace lumora::engine
