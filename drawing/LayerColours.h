#pragma once

#include "engine/model/Design.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lumora::drawing {

// A colour as 0xAARRGGBB, the order a toolkit's and a page's colours are both made from.
using Argb = uint32_t;

// How a drawing shows a layer's items: filled areas, or outlines only where filling would hide the
// copper beneath (soldermask openings, bodies, keepouts).
struct LayerLook {
    Argb color = 0;
    bool filled = true;
};

// The layer's colour number (1 to 15 of the sixteen classic colours) when it has one, else the
// colour of its type.
LayerLook layerLook(const engine::Layer& layer);

// Markers are drawn opaque in colours that no layer uses, so that they stay readable on copper.
Argb severityColour(std::string_view severity);
inline constexpr Argb kBackground = 0xff101418;
inline constexpr Argb kHighlight = 0xffffffff;
inline constexpr Argb kWaived = 0xff8c8c8c;

} // namespace lumora::drawing
