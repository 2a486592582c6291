#pragma once

#include <cstddef>

namespace lumora::bench {

// The smallest board benchmarked; sizes grow tenfold from it.
inline constexpr std::size_t kSmallestBoard = 100;

// DistanceCheck2 alone and the whole copper distance test, on synthetic boards of kSmallestBoard
// components and ten times more up to largestBoard.
void registerCheckBenchmarks(std::size_t largestBoard);

} // namespace lumora::bench
