#pragma once

namespace lumora::bench {

// Loading the largest board of Debian's kicad-demos (video, 7.2 MB) into a design; the board file
// may be named with LUMORA_BENCH_KICAD_BOARD.
void registerKicadBenchmarks();

} // namespace lumora::bench
