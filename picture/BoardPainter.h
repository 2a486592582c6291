#pragma once

#include "engine/model/DrcMarker.h"
#include "picture/BoardScene.h"

#include <QPainter>

#include <optional>
#include <set>
#include <vector>

namespace lumora::picture {

// What a view of a scene shows besides the design itself.
struct ViewOptions {
    std::set<int16_t> hiddenLayers;
    bool markers = true;
    std::optional<std::size_t> selectedMarker; // position in the design's markers
    std::vector<engine::DrcItem> highlighted;  // drawn in the highlight colour
};

// Level of detail, in screen pixels of an item's larger side: items of the file's block below
// kDetailFromPixels are drawn as boxes of their bounds, batched per layer; a nested insert below
// kBoxBelowPixels as a box, below kSkipBelowPixels not at all.
inline constexpr double kDetailFromPixels = 8;
inline constexpr double kBoxBelowPixels = 4;
inline constexpr double kSkipBelowPixels = 0.4;
// Marker size on the screen, whatever the zoom.
inline constexpr double kMarkerRadius = 7;

// Draws what of the scene lies in `area` (file coordinates) with the painter's transform, which maps
// file coordinates to the device, then the file's markers on top, Critical over Marginal.
void paintScene(QPainter& painter, const BoardScene& scene, const ViewOptions& options, const QRectF& area);

// The transform that shows `area` whole and centred in a device of `size`, y pointing up.
QTransform fitTransform(const QRectF& area, QSizeF size, double margin = 20);

} // namespace lumora::picture
