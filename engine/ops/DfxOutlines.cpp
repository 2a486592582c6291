#include "engine/ops/DfxOutlines.h"

#include "engine/model/Refusal.h"
#include "engine/ops/PinPads.h"

#include <algorithm>

namespace lumora::engine {

namespace {

// What a component geometry is made of, in its own coordinates.
struct ComponentParts {
    Area bodyTop;
    Area bodyBottom;
    Area keepoutTop;
    Area keepoutBottom;
    Area padsTop;
    Area padsBottom;
};

// The pieces of each part, united at once (engine/geom/Areas.h): united one by one into the
// growing part, a footprint of 8,000 pads took 25 s, the square of its pads.
struct PartPieces {
    std::vector<Area> bodyTop;
    std::vector<Area> bodyBottom;
    std::vector<Area> keepoutTop;
    std::vector<Area> keepoutBottom;
    std::vector<Area> padsTop;
    std::vector<Area> padsBottom;
};

std::vector<Area>* graphicPieces(PartPieces& pieces, int16_t layerType) {
    switch (layerType) {
    case layer_type::BodyTop:
        return &pieces.bodyTop;
    case layer_type::BodyBottom:
        return &pieces.bodyBottom;
    case layer_type::PlacementKeepoutTop:
        return &pieces.keepoutTop;
    case layer_type::PlacementKeepoutBottom:
        return &pieces.keepoutBottom;
    default:
        return nullptr;
    }
}

ComponentParts partsOf(const Design& design, const Geometry& component) {
    PartPieces pieces;
    for (const DataItem& item : component.data) {
        const auto* graphic = std::get_if<Graphic>(&item);
        if (std::vector<Area>* into =
                graphic ? graphicPieces(pieces, design.layer(graphic->layer).type) : nullptr) {
            into->push_back(areaOf(graphic->shape));
        }
    }
    for (PinPads& pin : pinPadsOf(design, component)) {
        pieces.padsTop.push_back(std::move(pin.top));
        pieces.padsBottom.push_back(std::move(pin.bottom));
    }
    return {uniteAll(std::move(pieces.bodyTop)),    uniteAll(std::move(pieces.bodyBottom)),
            uniteAll(std::move(pieces.keepoutTop)), uniteAll(std::move(pieces.keepoutBottom)),
            uniteAll(std::move(pieces.padsTop)),    uniteAll(std::move(pieces.padsBottom))};
}

Area boxAround(const Area& area) {
    if (area.empty()) {
        return {};
    }
    return Area{boxPolygon(bg::return_envelope<Box>(area))};
}

struct SideOutlines {
    Area top;
    Area bottom;
};

SideOutlines outlinesOf(int16_t algorithm, const ComponentParts& parts) {
    const Area bodyTop = parts.bodyTop.empty() ? boxAround(parts.padsTop) : parts.bodyTop;
    switch (algorithm) {
    case dfx_algorithm::CompBody:
        return {bodyTop, parts.bodyBottom};
    case dfx_algorithm::PinExtents:
        return {boxAround(parts.padsTop), boxAround(parts.padsBottom)};
    case dfx_algorithm::PinBodyExtents:
        return {boxAround(unite(bodyTop, parts.padsTop)),
                boxAround(unite(parts.bodyBottom, parts.padsBottom))};
    default:
        return {parts.keepoutTop, parts.keepoutBottom};
    }
}

int16_t dfxLayer(Design& design, std::string_view outlineType, std::string_view layerName) {
    design.keywordNumber(keyword::DfxOutlineType);
    if (const Layer* known = design.findLayerByAttribute(keyword::DfxOutlineType, outlineType)) {
        return known->number;
    }
    Layer layer;
    layer.name = design.unusedLayerName(layerName);
    layer.type = layer_type::DfxOutline;
    layer.attributes.set(keyword::DfxOutlineType, std::string(outlineType));
    return design.addLayer(std::move(layer));
}

void pairLayers(Design& design, int16_t top, int16_t bottom) {
    Layer& t = design.layer(top);
    Layer& b = design.layer(bottom);
    if (t.mirror == t.number && b.mirror == b.number) {
        t.mirror = bottom;
        b.mirror = top;
    }
}

void placeOutline(Geometry& component, int16_t layer, const Area& outline, bool overWrite) {
    auto onLayer = [layer](const DataItem& item) {
        const auto* graphic = std::get_if<Graphic>(&item);
        return graphic && graphic->layer == layer;
    };
    if (std::ranges::any_of(component.data, onLayer)) {
        if (!overWrite) {
            return;
        }
        std::erase_if(component.data, onLayer);
    }
    for (const AreaPolygon& polygon : outline) {
        Graphic graphic;
        graphic.shape = toPolygon(polygon);
        graphic.layer = layer;
        component.data.emplace_back(std::move(graphic));
    }
}

void buildOutlines(Design& design, int16_t geomNum, int16_t algorithm, bool overWrite) {
    const ComponentParts parts = partsOf(design, design.geometry(geomNum));
    for (const DfxOutlineKind& kind : dfxOutlineKinds()) {
        if (algorithm != dfx_algorithm::All && algorithm != kind.algorithm) {
            continue;
        }
        const int16_t top = dfxLayer(design, kind.topType, kind.topLayerName);
        const int16_t bottom = dfxLayer(design, kind.bottomType, kind.bottomLayerName);
        pairLayers(design, top, bottom);
        const SideOutlines outlines = outlinesOf(kind.algorithm, parts);
        Geometry& component = design.geometry(geomNum);
        placeOutline(component, top, outlines.top, overWrite);
        placeOutline(component, bottom, outlines.bottom, overWrite);
    }
}

} // namespace

void generateDfxOutlines(Design& design) {
    for (int16_t number : componentGeometries(design)) {
        buildOutlines(design, number, dfx_algorithm::All, false);
    }
}

void createDfxOutline(Design& design, int16_t geomNum, int16_t algorithm, bool overWrite) {
    const Geometry& geometry = design.geometry(geomNum);
    if (geometry.blockType != block_type::Component && !componentGeometries(design).contains(geomNum)) {
        throw Refusal(rc::WrongType, "geometry " + std::to_string(geomNum) + " is no component");
    }
    if (algorithm < dfx_algorithm::All || algorithm > dfx_algorithm::ToolingKeepout) {
        throw Refusal(rc::ValueOutOfRange, "unknown outline algorithm " + std::to_string(algorithm));
    }
    buildOutlines(design, geomNum, algorithm, overWrite);
}

} // namespace lumora::engine
