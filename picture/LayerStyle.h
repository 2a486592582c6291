#pragma once

#include "engine/model/Design.h"

#include <QColor>

namespace lumora::picture {

// How the board view draws a layer's items: filled areas, or outlines only where filling would
// hide the copper beneath (soldermask openings, bodies, keepouts).
struct LayerStyle {
    QColor color;
    bool filled = true;
};

// The layer's colour number (1 to 15 of the sixteen classic colours) when it has one, else the
// colour of its type.
LayerStyle layerStyle(const engine::Layer& layer);

// Markers are drawn opaque in colours that no layer uses, so that they stay readable on copper.
QColor severityColor(const std::string& severity);
inline constexpr QRgb kBackground = 0xff101418;
inline constexpr QRgb kHighlight = 0xffffffff;
inline constexpr QRgb kWaived = 0xff8c8c8c;

} // namespace lumora::picture
