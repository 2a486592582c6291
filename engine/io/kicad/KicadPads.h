#pragma once

#include "engine/io/kicad/KicadLayers.h"
#include "engine/io/kicad/KicadNets.h"
#include "engine/io/kicad/KicadShapes.h"

#include <string>

namespace lumora::engine::kicad {

// How far mask and paste openings reach beyond a pad: the pad's own values, else its footprint's,
// else the board's.
struct PadMargins {
    double mask = 0;
    double paste = 0;
    double pasteRatio = 0;
    // These margins with those that owner (a pad or footprint) sets itself.
    PadMargins within(const sexpr::Expr& owner) const;
};

// What a footprint's pads are read against.
struct PadContext {
    const Design& design;
    const LayerMap& layers;
    const NetNames& nets;
    Frame frame;               // of the component geometry
    bool bottom = false;       // the footprint sits on the back: its layers are read flipped
    double footprintAngle = 0; // KiCad writes pad angles on the board, the footprint's included
    PadMargins margins{};
};

// One pad as a pin: its padstack (in the pad's own frame) and where the pin goes in the component.
struct PadPin {
    Geometry padstack{};
    Point at{};
    double rotation = 0;
    std::string number{};
    std::string id{}; // KiCad's uuid of the pad
    std::string net{};
    bool fiducial = false;
    bool testpoint = false;
};

PadPin readPad(const sexpr::Expr& pad, const PadContext& context);

// A via's padstack: a round pad on every copper layer of its span and its drill.
Geometry viaPadstack(const sexpr::Expr& via, const LayerMap& layers);

} // namespace lumora::engine::kicad
