#pragma once

#include <cstddef>

namespace lumora::bench {

// The plane checks and polygon operations: GerberThermalBarrelPlugCheck on synthetic boards of 1k
// components and ten times more up to largestBoard, CombinePolies on a plane of many touching
// pieces, and the DFx outlines of a part of many pads.
void registerPlaneBenchmarks(std::size_t largestBoard);

} // namespace lumora::bench
