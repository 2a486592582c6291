#include "engine/io/ipc2581/Ipc2581Layers.h"

#include <algorithm>
#include <array>

namespace lumora::engine::ipc2581 {

namespace {

constexpr std::array<std::string_view, 4> kCopperFunctions{"CONDUCTOR", "PLANE", "SIGNAL", "MIXED"};

// A layer function's design layer type on the top side, on the bottom side, and elsewhere.
struct FunctionTypes {
    std::string_view function;
    int16_t top;
    int16_t bottom;
    int16_t other;
};

constexpr std::array kFunctionTypes{
    FunctionTypes{"SOLDERMASK", layer_type::SoldermaskTop, layer_type::SoldermaskBottom,
                  layer_type::Documentation},
    FunctionTypes{"SOLDERPASTE", layer_type::PasteTop, layer_type::PasteBottom, layer_type::Documentation},
    FunctionTypes{"PASTEMASK", layer_type::PasteTop, layer_type::PasteBottom, layer_type::Documentation},
    FunctionTypes{"SILKSCREEN", layer_type::SilkscreenTop, layer_type::SilkscreenBottom,
                  layer_type::Documentation},
    FunctionTypes{"LEGEND", layer_type::SilkscreenTop, layer_type::SilkscreenBottom,
                  layer_type::Documentation},
    FunctionTypes{"DRILL", layer_type::Drill, layer_type::Drill, layer_type::Drill},
    FunctionTypes{"ROUT", layer_type::DrillUnplated, layer_type::DrillUnplated, layer_type::DrillUnplated},
    FunctionTypes{"BOARD_OUTLINE", layer_type::BoardOutline, layer_type::BoardOutline,
                  layer_type::BoardOutline},
};

bool isCopperFunction(std::string_view function) {
    return std::ranges::find(kCopperFunctions, function) != kCopperFunctions.end();
}

int16_t typeOf(std::string_view function, std::string_view side) {
    for (const FunctionTypes& types : kFunctionTypes) {
        if (types.function == function) {
            return side == "TOP" ? types.top : side == "BOTTOM" ? types.bottom : types.other;
        }
    }
    return layer_type::Documentation;
}

// Layers pair as mirrors within a group: copper, or one function.
std::string_view mirrorGroup(std::string_view function) {
    return isCopperFunction(function) ? "copper" : function;
}

} // namespace

void LayerTable::addLayer(const XmlElement& layer) {
    FileLayer added{.name = std::string(layer.text("name")),
                    .function = std::string(layer.attribute("layerFunction").value_or("")),
                    .side = std::string(layer.attribute("side").value_or("")),
                    .negative = layer.attribute("polarity") == "NEGATIVE"};
    if (const std::optional<XmlElement> span = layer.child("Span")) {
        added.spanFrom = std::string(span->attribute("fromLayer").value_or(""));
        added.spanTo = std::string(span->attribute("toLayer").value_or(""));
    }
    if (std::ranges::any_of(layers_, [&](const FileLayer& l) { return l.name == added.name; })) {
        layer.fail("layer \"" + added.name + "\" is defined twice");
    }
    layers_.push_back(std::move(added));
}

void LayerTable::addStackup(const XmlElement& stackup, const Lengths& lengths) {
    Stackup added{.name = std::string(stackup.attribute("name").value_or("")),
                  .overall =
                      stackup.attribute("overallThickness") ? lengths.size(stackup, "overallThickness") : 0};
    stackup.forEachChild([&](const XmlElement& group) {
        group.forEachChild([&](const XmlElement& layer) {
            if (layer.name() != "StackupLayer") {
                return;
            }
            const std::string_view name = layer.text("layerOrGroupRef");
            if (layer.attribute("sequence") && !sequence_.contains(name)) {
                sequence_.emplace(std::string(name), layer.number("sequence"));
            }
            added.layers += layer.attribute("thickness") ? lengths.size(layer, "thickness") : 0;
        });
    });
    stackups_.push_back(std::move(added));
}

void LayerTable::orderCopper() {
    for (std::size_t i = 0; i < layers_.size(); ++i) {
        if (isCopperFunction(layers_[i].function)) {
            copper_.push_back(i);
        }
    }
    const bool sequenced =
        std::ranges::all_of(copper_, [&](std::size_t i) { return sequence_.contains(layers_[i].name); });
    if (sequenced) {
        std::ranges::stable_sort(copper_, {},
                                 [&](std::size_t i) { return sequence_.find(layers_[i].name)->second; });
    }
}

void LayerTable::build(Design& design) {
    if (built_) {
        return;
    }
    built_ = true;
    design.layers.assign(1, std::nullopt); // KORVEN's layer 0 is left a hole
    orderCopper();
    auto add = [&](std::size_t index, Layer layer) {
        const int16_t number = design.addLayer(std::move(layer));
        byName_.emplace(layers_[index].name, number);
        fileLayerOf_.emplace(number, index);
    };
    for (std::size_t position = 0; position < copper_.size(); ++position) {
        const auto stackup = static_cast<int16_t>(position + 1);
        add(copper_[position], Layer{.name = layers_[copper_[position]].name,
                                     .type = layer_type::Signal,
                                     .electrical = stackup,
                                     .physical = stackup,
                                     .artwork = stackup});
    }
    for (std::size_t i = 0; i < layers_.size(); ++i) {
        if (!isCopperFunction(layers_[i].function)) {
            add(i, Layer{.name = layers_[i].name, .type = typeOf(layers_[i].function, layers_[i].side)});
        }
    }
    pairMirrors(design);
    profile_ =
        design.addLayer(Layer{.name = design.unusedLayerName("Profile"), .type = layer_type::BoardOutline});
    panelProfile_ = design.addLayer(
        Layer{.name = design.unusedLayerName("Panel Profile"), .type = layer_type::PanelOutline});
    bodyTop_ =
        design.addLayer(Layer{.name = design.unusedLayerName("Body Top"), .type = layer_type::BodyTop});
    const int16_t bodyBottom =
        design.addLayer(Layer{.name = design.unusedLayerName("Body Bottom"), .type = layer_type::BodyBottom});
    design.layer(bodyTop_).mirror = bodyBottom;
    design.layer(bodyBottom).mirror = bodyTop_;
    unplated_ =
        design.addLayer(Layer{.name = design.unusedLayerName("NPTH"), .type = layer_type::DrillUnplated});
}

// Within each group the n-th layer on the top side and the n-th on the bottom side mirror each
// other; the rest (inner layers) mirror themselves.
void LayerTable::pairMirrors(Design& design) {
    std::map<std::string_view, std::pair<std::vector<int16_t>, std::vector<int16_t>>> sides;
    for (const auto& [number, index] : fileLayerOf_) {
        const FileLayer& layer = layers_[index];
        auto& [tops, bottoms] = sides[mirrorGroup(layer.function)];
        if (layer.side == "TOP") {
            tops.push_back(number);
        } else if (layer.side == "BOTTOM") {
            bottoms.push_back(number);
        }
    }
    for (auto& [group, pair] : sides) {
        auto& [tops, bottoms] = pair;
        for (std::size_t i = 0; i < std::min(tops.size(), bottoms.size()); ++i) {
            design.layer(tops[i]).mirror = bottoms[i];
            design.layer(bottoms[i]).mirror = tops[i];
        }
    }
}

std::optional<int16_t> LayerTable::find(std::string_view name) const {
    const auto found = byName_.find(name);
    return found == byName_.end() ? std::nullopt : std::optional<int16_t>(found->second);
}

int16_t LayerTable::require(const XmlElement& where, std::string_view name) const {
    const std::optional<int16_t> layer = find(name);
    if (!layer) {
        where.fail("layer \"" + std::string(name) + "\" is not among the file's layers");
    }
    return *layer;
}

bool LayerTable::isNegative(int16_t layer) const {
    const auto found = fileLayerOf_.find(layer);
    return found != fileLayerOf_.end() && layers_[found->second].negative;
}

std::optional<std::pair<int16_t, int16_t>> LayerTable::span(int16_t drillLayer) const {
    const auto found = fileLayerOf_.find(drillLayer);
    if (found == fileLayerOf_.end()) {
        return std::nullopt;
    }
    const FileLayer& drill = layers_[found->second];
    const std::optional<int16_t> from = find(drill.spanFrom);
    const std::optional<int16_t> to = find(drill.spanTo);
    if (!from || !to || !isCopper(*from) || !isCopper(*to)) {
        return std::nullopt;
    }
    return std::pair{std::min(*from, *to), std::max(*from, *to)};
}

double LayerTable::thickness(std::string_view stackupName) const {
    if (stackups_.empty()) {
        return 0;
    }
    const auto named = std::ranges::find(stackups_, stackupName, &Stackup::name);
    const Stackup& chosen = named != stackups_.end() ? *named : stackups_.front();
    return chosen.overall > 0 ? chosen.overall : chosen.layers;
}

} // namespace lumora::engine::ipc2581
