#include "engine/model/CodeNames.h"

#include <algorithm>
#include <array>

namespace lumora::engine {

namespace {

constexpr std::array kInsertTypes{
    CodeName{insert_type::Unclassified, "unclassified"},
    CodeName{insert_type::Via, "via"},
    CodeName{insert_type::Pin, "pin"},
    CodeName{insert_type::Component, "component"},
    CodeName{insert_type::Board, "board"},
    CodeName{insert_type::Fiducial, "fiducial"},
    CodeName{insert_type::ToolingHole, "tooling-hole"},
    CodeName{insert_type::Testpoint, "testpoint"},
    CodeName{insert_type::FreePad, "free-pad"},
    CodeName{insert_type::RealPartTop, "real-part-top"},
    CodeName{insert_type::RealPartBottom, "real-part-bottom"},
};

constexpr std::array kBlockTypes{
    CodeName{block_type::Board, "board"},       CodeName{block_type::Component, "component"},
    CodeName{block_type::Padstack, "padstack"}, CodeName{block_type::Package, "package"},
    CodeName{block_type::Symbol, "symbol"},     CodeName{block_type::Flatten, "flatten"},
    CodeName{block_type::Panel, "panel"},
};

constexpr std::array kLayerTypes{
    CodeName{layer_type::DfxOutline, "dfx-outline"},
    CodeName{layer_type::PadTop, "pad-top"},
    CodeName{layer_type::PadBottom, "pad-bottom"},
    CodeName{layer_type::PadInner, "pad-inner"},
    CodeName{layer_type::PadAll, "pad-all"},
    CodeName{layer_type::SignalTop, "signal-top"},
    CodeName{layer_type::SignalBottom, "signal-bottom"},
    CodeName{layer_type::SignalInner, "signal-inner"},
    CodeName{layer_type::SignalAll, "signal-all"},
    CodeName{layer_type::Signal, "signal"},
    CodeName{layer_type::Plane, "plane"},
    CodeName{layer_type::SplitPlane, "split-plane"},
    CodeName{layer_type::SoldermaskTop, "soldermask-top"},
    CodeName{layer_type::SoldermaskBottom, "soldermask-bottom"},
    CodeName{layer_type::PasteTop, "paste-top"},
    CodeName{layer_type::PasteBottom, "paste-bottom"},
    CodeName{layer_type::PlaneClearance, "plane-clearance"},
    CodeName{layer_type::PlaneThermal, "plane-thermal"},
    CodeName{layer_type::RouteKeepout, "route-keepout"},
    CodeName{layer_type::SilkscreenTop, "silkscreen-top"},
    CodeName{layer_type::SilkscreenBottom, "silkscreen-bottom"},
    CodeName{layer_type::BodyTop, "body-top"},
    CodeName{layer_type::BodyBottom, "body-bottom"},
    CodeName{layer_type::BoardOutline, "board-outline"},
    CodeName{layer_type::PanelOutline, "panel-outline"},
    CodeName{layer_type::PlacementKeepoutTop, "placement-keepout-top"},
    CodeName{layer_type::PlacementKeepoutBottom, "placement-keepout-bottom"},
    CodeName{layer_type::Documentation, "documentation"},
    CodeName{layer_type::Drill, "drill"},
    CodeName{layer_type::DrillUnplated, "drill-unplated"},
    CodeName{layer_type::PackageBodyTop, "package-body-top"},
    CodeName{layer_type::PackageBodyBottom, "package-body-bottom"},
    CodeName{layer_type::EtchBlocker, "etch-blocker"},
};

constexpr std::array kGraphicClasses{
    CodeName{graphic_class::Normal, "normal"},
    CodeName{graphic_class::Etch, "etch"},
    CodeName{graphic_class::Keepout, "keepout"},
    CodeName{graphic_class::BoardOutline, "board-outline"},
    CodeName{graphic_class::BoardCutout, "board-cutout"},
    CodeName{graphic_class::PanelOutline, "panel-outline"},
    CodeName{graphic_class::PanelRail, "panel-rail"},
};

constexpr std::array kPadShapes{
    CodeName{pad_shape::Round, "round"},         CodeName{pad_shape::Square, "square"},
    CodeName{pad_shape::Rectangle, "rectangle"}, CodeName{pad_shape::Target, "target"},
    CodeName{pad_shape::Thermal, "thermal"},     CodeName{pad_shape::Complex, "complex"},
    CodeName{pad_shape::Donut, "donut"},         CodeName{pad_shape::Octagon, "octagon"},
    CodeName{pad_shape::Oblong, "oblong"},       CodeName{pad_shape::Blank, "blank"},
};

constexpr std::array kKeywordTypes{
    CodeName{keyword_type::Flag, "flag"},
    CodeName{keyword_type::Text, "text"},
    CodeName{keyword_type::Integer, "integer"},
    CodeName{keyword_type::Double, "double"},
    CodeName{keyword_type::UnitDouble, "unit-double"},
};

constexpr std::array kPageUnits{
    CodeName{page_units::Inches, "Inches"},       CodeName{page_units::Mils, "Mils"},
    CodeName{page_units::Millimetres, "mm"},      CodeName{page_units::HpPlotter, "HP Plotter"},
    CodeName{page_units::TenNanometres, "10 nm"},
};

constexpr std::array kDfxOutlineKinds{
    DfxOutlineKind{dfx_algorithm::CompBody, "Comp Body Top", "Comp Body Bottom", "DFX_COMP_BODY_TOP",
                   "DFX_COMP_BODY_BOTTOM"},
    DfxOutlineKind{dfx_algorithm::PinExtents, "Pin Extents Top", "Pin Extents Bottom", "DFX_PIN_EXTENTS_TOP",
                   "DFX_PIN_EXTENTS_BOTTOM"},
    DfxOutlineKind{dfx_algorithm::PinBodyExtents, "Pin/Body Extents Top", "Pin/Body Extents Bottom",
                   "DFX_PIN_BODY_EXTENTS_TOP", "DFX_PIN_BODY_EXTENTS_BOTTOM"},
    DfxOutlineKind{dfx_algorithm::ToolingKeepout, "Tooling Keepout Top", "Tooling Keepout Bottom",
                   "DFX_TOOLING_KEEPOUT_TOP", "DFX_TOOLING_KEEPOUT_BOTTOM"},
};

} // namespace

std::span<const CodeName> insertTypeNames() {
    return kInsertTypes;
}
std::span<const CodeName> blockTypeNames() {
    return kBlockTypes;
}
std::span<const CodeName> layerTypeNames() {
    return kLayerTypes;
}
std::span<const CodeName> graphicClassNames() {
    return kGraphicClasses;
}
std::span<const CodeName> padShapeNames() {
    return kPadShapes;
}
std::span<const CodeName> keywordTypeNames() {
    return kKeywordTypes;
}
std::span<const CodeName> pageUnitNames() {
    return kPageUnits;
}
std::span<const DfxOutlineKind> dfxOutlineKinds() {
    return kDfxOutlineKinds;
}

std::optional<int16_t> codeOf(std::span<const CodeName> table, std::string_view name) {
    auto found = std::ranges::find(table, name, &CodeName::name);
    return found != table.end() ? std::optional(found->code) : std::nullopt;
}

std::optional<std::string_view> nameOf(std::span<const CodeName> table, int16_t code) {
    auto found = std::ranges::find(table, code, &CodeName::code);
    return found != table.end() ? std::optional(found->name) : std::nullopt;
}

} // namespace lumora::engine
