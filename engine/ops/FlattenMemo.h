#pragma once

#include "engine/model/ItemArray.h"
#include "engine/ops/FlattenSelection.h"

#include <cstddef>
#include <cstdint>
#include <list>

namespace lumora::engine {

// The items of recent flatten calls by file and selection, shared with the geometries they filled:
// a run's tests flatten one board the same way again and again (at 10,000 components four of five
// flattened items repeat an earlier call), and making each copy again was most of a test's time.
// Valid while the design's blocks stay as they are.
class FlattenMemo {
  public:
    // The items an earlier call selected from file filePos; null when none are kept.
    SharedItems find(int32_t filePos, const FlattenSelection& selection);
    // Keeps items, forgetting the results used least recently once they take more than the room.
    void keep(int32_t filePos, const FlattenSelection& selection, SharedItems items);
    void clear();

  private:
    struct Result {
        int32_t filePos;
        FlattenSelection selection;
        SharedItems items;
    };

    std::list<Result> results_; // the one used last first
    std::size_t keptItems_ = 0;
    std::size_t largest_ = 0;
};

} // namespace lumora::engine
