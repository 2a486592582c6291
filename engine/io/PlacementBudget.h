#pragma once

#include "engine/model/Design.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace lumora::engine {

// What a design may place: every check walks each placed item, so these bound time and memory.
struct PlacementLimits {
    // Items of all files with every insert expanded (a block placed twice counts twice).
    uint64_t maxPlacedItems = 20'000'000;
    // How far any placed item may reach from the origin, in the design's units: far beyond any
    // board, far below where double arithmetic loses whole units.
    double maxReach = 1e9;
};

// The item (data position in a geometry) or file whose placement goes beyond a limit.
struct PlacementProblem {
    int16_t geometry = 0;        // 0 for a file
    std::size_t item = 0;        // data position in the geometry
    std::optional<int32_t> file; // set when the file's own placement is at fault
    std::string text;
};

// Run after nesting has been checked (no circles, bounded depth).
std::optional<PlacementProblem> findPlacementProblem(const Design& design, const PlacementLimits& limits);

} // namespace lumora::engine
