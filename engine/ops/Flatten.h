#pragma once

#include "engine/model/CodeNames.h"
#include "engine/model/Design.h"
#include "engine/ops/AttributeCondition.h"
#include "engine/ops/BlockIndex.h"

#include <cstdint>
#include <optional>

namespace lumora::engine {

// Which items of a file's block a flatten call copies.
struct FlattenSelection {
    int16_t layer = -1;                  // -1: every layer
    std::optional<int16_t> insertType{}; // only items of inserts of this type (-1: of any insert)
    // ... whose inserts also meet this; a number compared with a unit-double keyword is in inches
    std::optional<AttributeCondition> condition{};
    std::optional<int16_t> graphicClass{};
    bool topLevelOnly = false;       // items of the block itself, none of its inserts
    bool insertPointOnly = false;    // the insertion points of the chosen inserts instead
    int16_t surface = surface::Both; // mount side of the chosen inserts
};

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
