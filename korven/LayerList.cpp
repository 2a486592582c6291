#include "korven/LayerList.h"

namespace lumora {

void LayerList::reset() {
    arrLayers.assign(1, std::nullopt);
    lngLayerCount = 0;
}

const clsCCLayer* LayerList::usedLayer(std::size_t i) const {
    const std::optional<clsCCLayer>& slot = arrLayers.at(i);
    return slot && slot->blnUsed() ? &*slot : nullptr;
}

LayerList& layerList() {
    static LayerList layers;
    return layers;
}

} // namespace lumora
