#pragma once

#include "engine/model/ItemArray.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace lumora::engine {

// Flattened items gathered in blocks, then moved into the geometry, which is allocated once at its
// final size: a vector doubled as the walk goes on copied half a million items at a time, a tenth of
// a second without events, and kept up to twice the room it needed. Blocks start small, as a call
// walks its board in many parts that mostly yield a few items each.
class EmittedItems {
  public:
    // A flattened graphic, or an item kept by a filter.
    template <class Item> void add(Item&& item) {
        if (chunks_.empty() || chunks_.back().size() == chunks_.back().capacity()) {
            const std::size_t room =
                chunks_.empty() ? kFirstChunk : std::min(kChunk, 2 * chunks_.back().size());
            chunks_.emplace_back().reserve(room);
        }
        chunks_.back().emplace_back(std::forward<Item>(item));
        ++count_;
    }

    std::size_t count() const { return count_; }

    // Makes the items in place from start on, freeing each block once moved.
    void moveInto(ItemArray& items, std::size_t start) {
        for (std::vector<DataItem>& chunk : chunks_) {
            for (DataItem& item : chunk) {
                items.make(start++, std::move(item));
            }
            std::vector<DataItem>().swap(chunk);
        }
        chunks_.clear();
        count_ = 0;
    }

  private:
    static constexpr std::size_t kFirstChunk = 64;
    static constexpr std::size_t kChunk = 4096;
    std::vector<std::vector<DataItem>> chunks_;
    std::size_t count_ = 0;
};

// The parts' items in their order, which is the order of one walk of the whole block; each part
// moves its own on the pool.
SharedItems itemsInOrder(std::vector<EmittedItems>& parts);

} // namespace lumora::engine
