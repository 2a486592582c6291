#pragma once

// The checks of KORVEN.DFM: the arguments of each, as KORVEN receives them (lengths in page units),
// and LUMORA_DFM_CHECKS, the one list that names them. KorvenDfm::Check, both test doubles, the
// runner's wrappers and the engine's checks are derived from that list, so a new check is its
// arguments and its row here, plus its file in engine/checks (docs/ARCHITECTURE.md, "Adding a DFM
// check"). `algName` names the markers a check places; empty, they carry the check's name.

#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <variant>
#include <vector>

namespace lumora {

// A check's two limits, in the check's unit. 0 for a limit the caller does not set.
struct Limits {
    double marginal = 0;
    double critical = 0;
};

struct AllowableComponentOrientationArgs {
    int32_t filePos = 0;
    bool top = false;
    bool horizontal = false;
    std::string algName{};
};

struct AnnularRingArgs {
    int32_t filePos = 0;
    double padTop = 0;
    double padBottom = 0;
    double soldTop = 0;
    double soldBottom = 0;
    std::string algName{};
};

struct BoardThicknessToDrillDiameterArgs {
    int32_t filePos = 0;
    double maxRatio = 0;
    std::string algName{};
};

struct ClearanceToPanelEdgeArgs {
    int16_t geomNum = 0;
    double minRailEdge = 0;
    double minNonRailEdge = 0;
    std::string algName{};
};

struct ComponentFlushWithOutlineArgs {
    int16_t geomNum = 0;
    double maxDistance = 0;
    std::string algName{};
};

struct ComponentHeightArgs {
    int32_t filePos = 0;
    bool top = false;
    bool bottom = false;
    std::string heightKeyword{};
    Limits topHeight{};
    Limits bottomHeight{};
};

struct ComponentNotAllowedPerSurfaceArgs {
    int32_t filePos = 0;
    bool top = false;
    bool bottom = false;
    std::string attribKeyword{};
    std::string attribValue{};
};

struct ComponentShadowArgs {
    std::vector<int32_t> files{}; // none: every board file
    Limits left{};
    Limits right{};
    Limits top{};
    Limits bottom{};
};

struct DistanceCheck2Args {
    int16_t geomNum1 = 0;
    int16_t geomNum2 = 0;
    Limits limits{};
    std::string algName{};
    int16_t algType = 0;
    bool canTouch = false;
    bool skipSameNets = false;
    bool oneDrcPerNet = false;
    bool skipSameComps = false;
};

struct DistanceCheckDiffNetsArgs {
    int16_t geomNum = 0;
    Limits limits{};
    std::string algName{};
    int16_t algType = 0;
    bool canTouch = false;
};

struct ExposedTestpointPadSizeArgs {
    int16_t geomNum = 0;
    double minSize = 0;
    double maxSize = 0;
    std::string algName{};
};

struct GerberThermalBarrelPlugCheckArgs {
    int32_t filePos = 0;
};

struct ItemsInCornersArgs {
    int16_t geomNum = 0;
    double minRailEdge = 0;
    double maxRailEdge = 0;
    double minNonRailEdge = 0;
    double maxNonRailEdge = 0;
    int16_t minCorners = 0;
    std::string algName{};
    int16_t surface = 0;
};

struct PanelDimensionsArgs {
    int32_t filePos = 0;
    double minWidth = 0;
    double maxWidth = 0;
    double minHeight = 0;
    double maxHeight = 0;
    std::string algName{};
};

struct PanelLengthToWidthRatioArgs {
    int32_t filePos = 0;
    double minRatio = 0;
    std::string algName{};
};

struct Pin1OrientationArgs {
    int32_t filePos = 0;
    bool top = false;
    bool bottom = false;
    bool thruHole = false;
    bool smd = false;
    int16_t ignoreCount = 0;
};

struct RouteTraceWidthMinimumArgs {
    int16_t geomNum = 0;
    Limits limits{};
    std::string excludeNets{};
    std::string algName{};
};

struct SMDSoldermaskClearanceArgs {
    int16_t geomNum = 0;
    int16_t soldermaskGeomNum = 0;
    double minXMargin = 0;
    double minYMargin = 0;
    std::string algName{};
};

struct TestPadDensityCheckArgs {
    int32_t filePos = 0;
    int16_t marginal = 0;
    int16_t critical = 0;
    double gridSize = 0;
    bool addTPDensityAttrib = false;
};

struct TestpointsPerNetArgs {
    int16_t geomNum = 0;
    int16_t minTestpoints = 0;
    std::string algName{};
};

struct ThruHolePadShapesArgs {
    int32_t filePos = 0;
    int16_t topAll = 0; // pad shape codes: 1 round ... 10 blank, 0 none
    int16_t bottomAll = 0;
    int16_t topOne = 0;
    int16_t bottomOne = 0;
    std::string algName{};
};

struct ViaHoleSizeArgs {
    int32_t filePos = 0;
    double minSize = 0;
    double maxSize = 0;
    double ignoreHoleSize = 0;
    std::string algName{};
};

struct ViaPadSizeArgs {
    int32_t filePos = 0;
    double topMinSize = 0;
    double topMaxSize = 0;
    double bottomMinSize = 0;
    double bottomMaxSize = 0;
    double ignoreHoleSize = 0;
    std::string algName{};
};

struct ViaUnderPartArgs {
    int16_t geomNum1 = 0;
    int16_t geomNum2 = 0;
    std::string algName{};
};

// Every check of KORVEN.DFM by its method name, sorted; X(Name) stands for Name and its NameArgs.
// An X-macro, not a type list alone, because the engine declares one function per row from it
// (engine/checks/CheckFunctions.h), which a type list cannot do without self-registration.
// clang-format off
#define LUMORA_DFM_CHECKS(X) \
    X(AllowableComponentOrientation) \
    X(AnnularRing) \
    X(BoardThicknessToDrillDiameter) \
    X(ClearanceToPanelEdge) \
    X(ComponentFlushWithOutline) \
    X(ComponentHeight) \
    X(ComponentNotAllowedPerSurface) \
    X(ComponentShadow) \
    X(DistanceCheck2) \
    X(DistanceCheckDiffNets) \
    X(ExposedTestpointPadSize) \
    X(GerberThermalBarrelPlugCheck) \
    X(ItemsInCorners) \
    X(PanelDimensions) \
    X(PanelLengthToWidthRatio) \
    X(Pin1Orientation) \
    X(RouteTraceWidthMinimum) \
    X(SMDSoldermaskClearance) \
    X(TestPadDensityCheck) \
    X(TestpointsPerNet) \
    X(ThruHolePadShapes) \
    X(ViaHoleSize) \
    X(ViaPadSize) \
    X(ViaUnderPart)
// clang-format on

namespace dfm_checks_detail {
#define LUMORA_DFM_CHECK_TAG(Name) std::type_identity<Name##Args>{},
#define LUMORA_DFM_CHECK_NAME(Name) #Name,
// A braced list may end with a comma where a template argument list may not: the rows become a
// tuple of type tags, and that tuple the variant's alternatives.
template <class... Tags> std::variant<typename Tags::type...> variantOf(std::tuple<Tags...>);
} // namespace dfm_checks_detail

// One call of a check: which one, with its arguments.
using DfmCheckCall =
    decltype(dfm_checks_detail::variantOf(std::tuple{LUMORA_DFM_CHECKS(LUMORA_DFM_CHECK_TAG)}));

// The method names, in the order of the list (and of DfmCheckCall's alternatives).
inline constexpr std::string_view kDfmCheckNames[] = {LUMORA_DFM_CHECKS(LUMORA_DFM_CHECK_NAME)};

inline std::string_view dfmCheckName(const DfmCheckCall& call) {
    return kDfmCheckNames[call.index()];
}

} // namespace lumora
