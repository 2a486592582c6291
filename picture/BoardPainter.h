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
    std::set<std::size_t> waivedMarkers;       // positions; drawn grey beneath the others
    std::vector<engine::DrcItem> highlighted;  // drawn in the highlight colour
};

// Level of detail, in screen pixels of an item's larger side: items of the file's block below
// kDetailFromPixels are drawn as boxes of their bounds, batched per layer; a nested insert below
// kBoxBelowPixels as a box, below kSkipBelowPixels not at all.
inline constexpr double kDetailFromPixels = 8;
inline constexpr double kBoxBelowPixels = 4;
inline constexpr double kSkipBelowPixels = 0.4;
// A polygon's hole smaller than this on the screen is not cut out.
inline constexpr double kHoleFromPixels = 8;
// Marker size on the screen, whatever the zoom.
inline constexpr double kMarkerRadius = 7;

// Draws what of the scene lies in `area` (file coordinates) with the painter's transform, which maps
// file coordinates to the device, then, unless options.markers is off, the markers.
void paintScene(QPainter& painter, const BoardScene& scene, const ViewOptions& options, const QRectF& area);
// The file's markers with the painter's transform, Critical over Marginal.
void paintMarkers(QPainter& painter, const BoardScene& scene, const ViewOptions& options);

// The transform that shows `area` whole and centred in a device of `size`, y pointing up.
QTransform fitTransform(const QRectF& area, QSizeF size, double margin = 20);

} // namespace lumora::picture
