#pragma once

#include "engine/model/CodeNames.h"
#include "engine/ops/AttributeCondition.h"

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
    bool operator==(const FlattenSelection&) const = default;
};

} // namespace lumora::engine
