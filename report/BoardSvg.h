#pragma once

#include "engine/model/Design.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace lumora::report {

// Where a file's drawing lies on the page: file coordinates to whole units of the drawing,
// x' = (x - left) * scale and y' = (top - y) * scale (y down, as on a screen), about 100000 units
// across the file's larger side, which keeps a page small and the drawing finer than any screen.
struct SvgGrid {
    double left = 0;
    double top = 0;
    double scale = 1;
    long width = 0; // of the drawing, in its units
    long height = 0;
    long toX(double x) const;
    long toY(double y) const;
};

// A box in the drawing's units: left, top, right, bottom.
using SvgBox = std::array<long, 4>;

// One board or panel file drawn for a page.
struct BoardSvg {
    SvgGrid grid;
    std::vector<int16_t> layers; // the layers drawn, in the order they are painted
    std::string svg;             // <svg>: a group of paths per layer
    // The boxes of the items that `named` asked for, by their text ("U1-4 GND"), to light them.
    std::map<std::string, std::vector<SvgBox>> itemBoxes;
};

// "#rrggbb" of a colour given as 0xAARRGGBB; its alpha is the drawing's to give.
std::string cssColour(uint32_t argb);

// Draws the block the file shows, every item of it, with the colours of the layers; `places` are
// the markers' places (file coordinates) that the drawing must take in, `named` the items that
// markers name.
BoardSvg boardSvg(const engine::Design& design, const engine::File& file,
                  const std::vector<engine::Point>& places, const std::vector<engine::DrcItem>& named);

} // namespace lumora::report
