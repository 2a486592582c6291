#include "picture/LayerStyle.h"

namespace lumora::picture {

LayerStyle layerStyle(const engine::Layer& layer) {
    const drawing::LayerLook look = drawing::layerLook(layer);
    return {QColor::fromRgba(look.color), look.filled};
}

QColor severityColor(std::string_view severity) {
    return QColor::fromRgba(drawing::severityColour(severity));
}

} // namespace lumora::picture
