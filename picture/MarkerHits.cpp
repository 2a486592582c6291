#include "picture/MarkerHits.h"

#include <QLineF>

namespace lumora::picture {

namespace {

// The order paintMarkers draws in: a higher rank lies on top.
int drawingRank(const engine::DrcMarker& marker, bool waived) {
    if (waived) {
        return 0;
    }
    return marker.severity == "Critical" ? 2 : 1;
}

} // namespace

std::optional<std::size_t> markerAt(const BoardScene& scene, const ViewOptions& options,
                                    const QTransform& view, QPointF pixel, double radius) {
    if (!options.markers) {
        return std::nullopt;
    }
    const auto& markers = scene.design().drcs;
    std::optional<std::size_t> found;
    double nearest = radius;
    int foundRank = -1;
    for (std::size_t i = 0; i < markers.size(); ++i) {
        const engine::DrcMarker& marker = markers[i];
        if (marker.file != scene.file().number) {
            continue;
        }
        const double distance = QLineF(view.map(QPointF(marker.at.x, marker.at.y)), pixel).length();
        const int rank = drawingRank(marker, options.waivedMarkers.contains(i));
        if (distance < nearest || (distance == nearest && found && rank > foundRank)) {
            found = i;
            nearest = distance;
            foundRank = rank;
        }
    }
    return found;
}

} // namespace lumora::picture
