#pragma once

#include "engine/model/Design.h"
#include "engine/ops/BlockIndex.h"
#include "engine/ops/FlattenMemo.h"
#include "engine/ops/FlattenSelection.h"

#include <cstdint>

namespace lumora::engine {

// A new, empty flatten geometry in the coordinates of file filePos; returns its number.
int16_t createFlattenGeometry(Design& design, int32_t filePos);

// What flatten calls keep for the calls after them, valid while the design's blocks stay as they
// are: the session drops it at every call that may change one.
struct FlattenCache {
    BlockIndexes blocks;
    FlattenMemo results;
    void clear() {
        blocks.clear();
        results.clear();
    }
};

// Adds the selected items of the file's own block, transformed into the file's coordinates, to
// flatten geometry target, each with its net, component, pin and merged attributes. With a cache the
// items are shared (Geometry::sharedData) by the geometries that one selection fills while one of
// them holds them, and made again from the memo without a walk once none does; without a cache,
// the target gets copies of its own.
void flatten(Design& design, int16_t target, const FlattenSelection& selection, FlattenCache& cache);
void flatten(Design& design, int16_t target, const FlattenSelection& selection);

// The flatten geometry geomNum; raises -3 when unknown and -6 when it is a design block.
Geometry& flattenGeometry(Design& design, int16_t geomNum);

} // namespace lumora::engine
