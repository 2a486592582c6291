#include "engine/io/kicad/KicadLayers.h"

#include <algorithm>
#include <array>
#include <span>

namespace lumora::engine::kicad {

namespace {

struct FixedLayer {
    std::string_view name; // the design's name; KiCad's own where KiCad has the layer
    int16_t type;
    std::string_view mirror; // "" for itself
};

constexpr std::array kFixedLayers{
    FixedLayer{"F.Mask", layer_type::SoldermaskTop, "B.Mask"},
    FixedLayer{"B.Mask", layer_type::SoldermaskBottom, "F.Mask"},
    FixedLayer{"F.Paste", layer_type::PasteTop, "B.Paste"},
    FixedLayer{"B.Paste", layer_type::PasteBottom, "F.Paste"},
    FixedLayer{"F.SilkS", layer_type::SilkscreenTop, "B.SilkS"},
    FixedLayer{"B.SilkS", layer_type::SilkscreenBottom, "F.SilkS"},
    FixedLayer{"F.Body", layer_type::BodyTop, "B.Body"},
    FixedLayer{"B.Body", layer_type::BodyBottom, "F.Body"},
    FixedLayer{"Edge.Cuts", layer_type::BoardOutline, ""},
    FixedLayer{"Drill", layer_type::Drill, ""},
    FixedLayer{"Drill NPTH", layer_type::DrillUnplated, ""},
};

// Names newer KiCad versions write for the same layers.
constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kAliases{{
    {"F.Silkscreen", "F.SilkS"},
    {"B.Silkscreen", "B.SilkS"},
    {"F.Courtyard", "F.CrtYd"},
    {"B.Courtyard", "B.CrtYd"},
    {"F.Fabrication", "F.Fab"},
    {"B.Fabrication", "B.Fab"},
}};

std::string_view canonical(std::string_view name) {
    for (const auto& [alias, canonicalName] : kAliases) {
        if (name == alias) {
            return canonicalName;
        }
    }
    return name;
}

// Stack-up order: F.Cu, In1.Cu, In2.Cu ..., B.Cu.
int copperOrder(std::string_view name) {
    constexpr int kBottom = 1000;
    if (name == "F.Cu") {
        return 0;
    }
    if (name == "B.Cu") {
        return kBottom;
    }
    int inner = 0;
    for (char c : name.substr(2)) {
        if (c < '0' || c > '9') {
            break;
        }
        inner = std::min(inner * 10 + (c - '0'), kBottom - 1); // "In99999999999.Cu" is still inside
    }
    return inner;
}

bool isCopperName(std::string_view name) {
    return name.ends_with(".Cu") && name.find('*') == std::string_view::npos &&
           name.find('&') == std::string_view::npos;
}

} // namespace

int16_t LayerMap::numberOf(std::string_view name) const {
    return byName_.find(name)->second;
}

std::string flippedLayerName(std::string_view kicadName) {
    std::string name(canonical(kicadName));
    if (name.starts_with("F.")) {
        name[0] = 'B';
    } else if (name.starts_with("B.")) {
        name[0] = 'F';
    }
    return name;
}

bool isFabLayer(std::string_view kicadName) {
    return canonical(kicadName) == "F.Fab";
}

bool isCourtyardLayer(std::string_view kicadName) {
    return canonical(kicadName) == "F.CrtYd";
}

LayerMap::LayerMap(const sexpr::Expr& layersList, Design& design) {
    design.layers.assign(1, std::nullopt); // KORVEN's layer 0 is left a hole
    addCopper(layersList, design);
    addFixed(design);
}

void LayerMap::addCopper(const sexpr::Expr& layersList, Design& design) {
    layersList.forEachList([&](const sexpr::Expr& entry) {
        const std::string_view name = entry.at(1).text();
        if (!isCopperName(name)) {
            return;
        }
        if (std::ranges::find(copper_, name) != copper_.end()) {
            entry.fail(sexpr::concat({"copper layer \"", name, "\" is listed twice"}));
        }
        copper_.emplace_back(name);
    });
    if (copper_.empty()) {
        layersList.fail("the board has no copper layer");
    }
    std::ranges::stable_sort(copper_, {}, [](const std::string& name) { return copperOrder(name); });
    for (std::size_t i = 0; i < copper_.size(); ++i) {
        const auto stackup = static_cast<int16_t>(i + 1);
        byName_[copper_[i]] = design.addLayer(Layer{.name = copper_[i],
                                                    .type = layer_type::Signal,
                                                    .electrical = stackup,
                                                    .physical = stackup,
                                                    .artwork = stackup});
    }
    if (copper_.size() > 1) {
        // The outermost copper layers mirror each other, whatever a damaged file named them.
        design.layer(numberOf(copper_.front())).mirror = numberOf(copper_.back());
        design.layer(numberOf(copper_.back())).mirror = numberOf(copper_.front());
    }
}

void LayerMap::addFixed(Design& design) {
    for (const FixedLayer& fixed : kFixedLayers) {
        byName_[std::string(fixed.name)] =
            design.addLayer(Layer{.name = std::string(fixed.name), .type = fixed.type});
    }
    for (const FixedLayer& fixed : kFixedLayers) {
        if (!fixed.mirror.empty()) {
            design.layer(numberOf(fixed.name)).mirror = numberOf(fixed.mirror);
        }
    }
    drill_ = numberOf("Drill");
    drillUnplated_ = numberOf("Drill NPTH");
    bodyTop_ = numberOf("F.Body");
    outline_ = numberOf("Edge.Cuts");
}

std::optional<int16_t> LayerMap::find(std::string_view kicadName) const {
    const auto found = byName_.find(canonical(kicadName));
    if (found == byName_.end() || found->first == "Drill" || found->first == "Drill NPTH" ||
        found->first.ends_with(".Body")) {
        return std::nullopt;
    }
    return found->second;
}

std::vector<int16_t> LayerMap::expand(const sexpr::Expr& layers, bool flipped) const {
    std::vector<int16_t> found;
    auto add = [&](std::string_view name) {
        if (const std::optional<int16_t> layer = find(flipped ? flippedLayerName(name) : std::string(name))) {
            if (std::ranges::find(found, *layer) == found.end()) {
                found.push_back(*layer);
            }
        }
    };
    const std::vector<sexpr::Expr> items = layers.children();
    for (const sexpr::Expr& item : std::span(items).subspan(1)) {
        if (item.isList()) {
            continue;
        }
        const std::string_view name = item.text();
        const std::size_t dot = name.find('.');
        const std::string_view side = name.substr(0, dot);
        const std::string_view kind = dot == std::string_view::npos ? "" : name.substr(dot);
        if (side == "*" && kind == ".Cu") {
            std::ranges::for_each(copper_, add);
        } else if (side == "*" || side == "F&B") {
            add(sexpr::concat({"F", kind}));
            add(sexpr::concat({"B", kind}));
        } else {
            add(name);
        }
    }
    return found;
}

std::vector<int16_t> LayerMap::copperSpan(std::string_view from, std::string_view to) const {
    auto index = [this](std::string_view name) {
        return static_cast<std::size_t>(std::ranges::find(copper_, name) - copper_.begin());
    };
    // std::minmax of two temporaries would hand back references to them.
    const std::size_t a = index(from);
    const std::size_t b = index(to);
    const std::size_t first = std::min(a, b);
    const std::size_t last = std::max(a, b);
    std::vector<int16_t> span;
    for (std::size_t i = first; i <= last && i < copper_.size(); ++i) {
        span.push_back(numberOf(copper_[i]));
    }
    return span;
}

bool LayerMap::isCopper(int16_t layer) const {
    return layer >= 1 && layer <= static_cast<int16_t>(copper_.size());
}

} // namespace lumora::engine::kicad
