#pragma once

#include "drawing/LayerColours.h"
#include "engine/model/Design.h"

#include <QColor>

namespace lumora::picture {

// How the board view draws a layer's items: filled areas, or outlines only where filling would
// hide the copper beneath (soldermask openings, bodies, keepouts).
struct LayerStyle {
    QColor color;
    bool filled = true;
};

// The layer's look (drawing/LayerColours.h) as Qt draws it.
LayerStyle layerStyle(const engine::Layer& layer);

// Markers are drawn opaque in colours that no layer uses, so that they stay readable on copper.
QColor severityColor(std::string_view severity);
using drawing::kBackground;
using drawing::kHighlight;
using drawing::kWaived;

} // namespace lumora::picture
