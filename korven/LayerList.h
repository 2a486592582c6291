#pragma once

#include "korven/clsCCLayer.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace lumora {

// The layers of the last loadLayers, shared by the whole runner. Slot n holds KORVEN layer n;
// a slot without a layer (the single slot of an empty list) counts as unused.
struct LayerList {
    std::vector<std::optional<clsCCLayer>> arrLayers = std::vector<std::optional<clsCCLayer>>(1);
    int32_t lngLayerCount = 0; // passes of the last loadLayers: one more than the slots read

    // Back to the empty list: one slot without a layer, no passes.
    void reset();
    // The layer in slot i when it is used, nullptr otherwise.
    const clsCCLayer* usedLayer(std::size_t i) const;
};

LayerList& layerList();

} // namespace lumora
