#include "drawing/LayerColours.h"

#include <algorithm>
#include <array>

namespace lumora::drawing {

namespace {

namespace lt = layer_type;

struct TypeStyle {
    int16_t type;
    Argb color;
    bool filled;
};

// Top side warm, bottom side cool, inner layers green, mechanical layers pale; alpha lets the
// layers below show through.
constexpr std::array kTypeStyles{
    TypeStyle{lt::PadTop, 0xb0d04030, true},
    TypeStyle{lt::SignalTop, 0xa0c03828, true},
    TypeStyle{lt::PadBottom, 0x903878d0, true},
    TypeStyle{lt::SignalBottom, 0x803070c0, true},
    TypeStyle{lt::PadInner, 0x6040a040, true},
    TypeStyle{lt::SignalInner, 0x6040a040, true},
    TypeStyle{lt::PadAll, 0xa0c08030, true},
    TypeStyle{lt::SignalAll, 0xa0c08030, true},
    TypeStyle{lt::Signal, 0x9050a050, true},
    TypeStyle{lt::Plane, 0x30309048, true},
    TypeStyle{lt::SplitPlane, 0x30309048, true},
    TypeStyle{lt::PlaneClearance, 0x80202830, true},
    TypeStyle{lt::PlaneThermal, 0x60309048, true},
    TypeStyle{lt::SoldermaskTop, 0xc0a060d0, false},
    TypeStyle{lt::SoldermaskBottom, 0xa06050b0, false},
    TypeStyle{lt::PasteTop, 0x80b0b0b0, false},
    TypeStyle{lt::PasteBottom, 0x80808090, false},
    TypeStyle{lt::SilkscreenTop, 0xe0e8e8d8, true},
    TypeStyle{lt::SilkscreenBottom, 0xa0a8a8c8, true},
    TypeStyle{lt::BodyTop, 0xe040c8c8, false},
    TypeStyle{lt::BodyBottom, 0xb04090c8, false},
    TypeStyle{lt::PackageBodyTop, 0x9040a8a8, false},
    TypeStyle{lt::PackageBodyBottom, 0x804080a8, false},
    TypeStyle{lt::BoardOutline, 0xffe8d040, false},
    TypeStyle{lt::PanelOutline, 0xffc8b070, false},
    TypeStyle{lt::PlacementKeepoutTop, 0x80e080e0, false},
    TypeStyle{lt::PlacementKeepoutBottom, 0x80a060c0, false},
    TypeStyle{lt::RouteKeepout, 0x80e06060, false},
    TypeStyle{lt::Drill, 0xff202020, true},
    TypeStyle{lt::DrillUnplated, 0xff303030, true},
    TypeStyle{lt::DfxOutline, 0x8090c090, false},
    TypeStyle{lt::EtchBlocker, 0x60e0a060, false},
};
constexpr TypeStyle kOtherLayers{lt::Documentation, 0x80909090, false};

struct SeverityColor {
    const char* severity;
    Argb color;
};
constexpr std::array kSeverityColors{SeverityColor{"Critical", 0xffff0000},
                                     SeverityColor{"Marginal", 0xffffc000}};
constexpr Argb kOtherSeverity = 0xffff00ff;

// A layer's colour number picks from the classic sixteen colours.
constexpr std::array<Argb, 16> kPalette{
    0xc0000000, 0xc00000a8, 0xc000a800, 0xc000a8a8, 0xc0a80000, 0xc0a800a8, 0xc0a85400, 0xc0a8a8a8,
    0xc0545454, 0xc05454fc, 0xc054fc54, 0xc054fcfc, 0xc0fc5454, 0xc0fc54fc, 0xc0fcfc54, 0xc0fcfcfc};

} // namespace

LayerLook layerLook(const engine::Layer& layer) {
    auto found = std::ranges::find(kTypeStyles, layer.type, &TypeStyle::type);
    const TypeStyle& style = found == kTypeStyles.end() ? kOtherLayers : *found;
    return {layer.color > 0 ? kPalette[layer.color % kPalette.size()] : style.color, style.filled};
}

Argb severityColour(std::string_view severity) {
    auto found =
        std::ranges::find_if(kSeverityColors, [&](const SeverityColor& s) { return severity == s.severity; });
    return found == kSeverityColors.end() ? kOtherSeverity : found->color;
}

} // namespace lumora::drawing
