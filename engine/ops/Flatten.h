#pragma once

#include "engine/model/Design.h"
#include "engine/ops/BlockIndex.h"
#include "engine/ops/FlattenSelection.h"

#include <cstdint>

namespace lumora::engine {

// A new, empty flatten geometry in the coordinates of file filePos; returns its number.
int16_t createFlattenGeometry(Design& design, int32_t filePos);

// Copies the selected items of the file's own block, transformed into the file's coordinates, into
// flatten geometry target, each with its net, component, pin and merged attributes. The indexes of
// the blocks must be those of the design as it is (see BlockIndexes); without them, the call makes
// its own.
void flatten(Design& design, int16_t target, const FlattenSelection& selection, BlockIndexes& indexes);
void flatten(Design& design, int16_t target, const FlattenSelection& selection);

// The flatten geometry geomNum; raises -3 when unknown and -6 when it is a design block.
Geometry& flattenGeometry(Design& design, int16_t geomNum);

} // namespace lumora::engine
