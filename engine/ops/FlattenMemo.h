#pragma once

#include "engine/model/ItemArray.h"
#include "engine/ops/FlattenSelection.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <span>
#include <vector>

namespace lumora::engine {

// What a flattened item is made again from while the blocks stay as they are: the path to the
// insert that placed it; its position in that insert's block (in the file's own block for an empty
// path); the insert type of its origin; its attributes merged with its inserts'. 32 bytes, where
// the item takes 120 and its origin, with the names of its component and pin, 64 more.
struct ItemSource {
    InsertPath path{};
    AttributeList attributes{};
    int32_t position = -1;
    int16_t insertType = insert_type::Any;
};

// Makes a result's items again from their sources, in their order.
using RemakeItems = std::function<SharedItems(std::span<const ItemSource>)>;

// The items of recent flatten calls by file and selection, shared with the geometries they filled:
// a run's tests flatten one board the same way again and again (at 10,000 components four of five
// flattened items repeat an earlier call), and making each copy again was most of a test's time.
// A result is kept as its items' sources, and its items only while a geometry holds them: in the
// full script every repeat comes after the test that made the items has deleted its geometry, and
// the items held for later tests were most of a run's memory between tests. Making them again
// skips the walk but not the copies.
// Valid while the design's blocks stay as they are.
class FlattenMemo {
  public:
    // The items an earlier call selected from file filePos, made again by remake when no geometry
    // holds them any more; null when none are kept.
    SharedItems find(int32_t filePos, const FlattenSelection& selection, const RemakeItems& remake);
    // Keeps items, forgetting the results used least recently once they take more than the room.
    void keep(int32_t filePos, const FlattenSelection& selection, const SharedItems& items);
    void clear();

  private:
    struct Result {
        int32_t filePos;
        FlattenSelection selection;
        std::vector<ItemSource> sources;
        std::weak_ptr<const ItemArray> items;
    };

    std::list<Result> results_; // the one used last first
    std::size_t keptItems_ = 0;
    std::size_t largest_ = 0;
};

} // namespace lumora::engine
