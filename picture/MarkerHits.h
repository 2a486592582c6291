#pragma once

#include "picture/BoardPainter.h"

#include <cstddef>
#include <optional>

namespace lumora::picture {

// The marker a click or the mouse at `pixel` of a view points at: of the markers drawn on the
// scene's file through `view` (file to device), the nearest within `radius` pixels, the one drawn
// on top where several are as near (Critical over Marginal over waived). Its position in the
// design's markers; nothing when none is that near.
std::optional<std::size_t> markerAt(const BoardScene& scene, const ViewOptions& options,
                                    const QTransform& view, QPointF pixel, double radius = kMarkerRadius);

} // namespace lumora::picture
