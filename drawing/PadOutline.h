#pragma once

#include "engine/model/Shapes.h"

namespace lumora::drawing {

// A pad's area around its own centre, unrotated, as every drawing of it draws it: which outline
// each of KORVEN's pad shapes has.
struct PadOutline {
    enum class Kind { None, Rectangle, Rounded, Polygon, Disc };
    Kind kind = Kind::None;
    double width = 0;      // Rectangle, Rounded: the box; Disc: the diameter
    double height = 0;     // Rectangle, Rounded
    double corner = 0;     // Rounded: the corners' radius
    double hole = 0;       // Disc: the diameter left open in it (donut, thermal); 0 for none
    engine::Ring points{}; // Polygon
};

PadOutline padOutline(const engine::Pad& pad);

} // namespace lumora::drawing
