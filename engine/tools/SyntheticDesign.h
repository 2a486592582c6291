#pragma once

#include "engine/model/Design.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace lumora::engine {

struct SyntheticOptions {
    std::size_t components = 1000;
    std::uint64_t seed = 1;
    // Every flawEvery-th cell gets a stub of a net of its own ("STUB1", "STUB2" ...) that ends
    // kSyntheticFlawGap from the cell's copper; 0 gives a board without flaws.
    std::size_t flawEvery = 0;
};

// Copper to copper at a flaw, in mils: below the defaults of the copper distance test.
inline constexpr double kSyntheticFlawGap = 2;
// Every kSyntheticTestpointEvery-th cell, the first included, has a testpoint.
inline constexpr std::size_t kSyntheticTestpointEvery = 4;

// A board of any size for scale tests and benchmarks, the same for the same options. It takes its
// layers, padstacks and parts from the example designs (four electrical layers: TOP, GND, PWR,
// BOTTOM). Each component sits in a square cell of its own, turned by a quarter turn or mirrored
// to the bottom, with two vias and the traces from its pin 1 to them on both outer layers, a tile
// of each inner plane kept clear of the plated holes of other nets and, in some cells, a
// testpoint or a flaw. The outline is sized to the cells. Apart from the flaws, copper of
// different nets keeps at least 8 mils apart (the pads of the QFP). Throws std::invalid_argument
// for no components.
Design makeSyntheticDesign(SyntheticOptions options);

// "STUB<n>": the net of the n-th flaw, counted from 1.
std::string syntheticStubNet(std::size_t n);

} // namespace lumora::engine
