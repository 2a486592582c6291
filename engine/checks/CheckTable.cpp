#include "engine/checks/CheckTable.h"

#include "engine/findings/DrcReport.h"
#include "engine/model/KorvenFailure.h"

#include <algorithm>

namespace lumora::engine {

namespace {

template <class Args, std::vector<Finding> (*check)(CheckContext&, const Args&)>
std::vector<Finding> run(CheckContext& context, const CheckArguments& arguments) {
    return check(context, std::get<Args>(arguments));
}

// Every check of KORVEN.DFM, sorted by name. Add a row per check here, and nowhere else; its
// arguments and function are declared in CheckArguments.h.
constexpr CheckEntry kChecks[] = {
    {"AllowableComponentOrientation", run<AllowableComponentOrientationArgs, allowableComponentOrientation>},
    {"AnnularRing", run<AnnularRingArgs, annularRing>},
    {"BoardThicknessToDrillDiameter", run<BoardThicknessToDrillDiameterArgs, boardThicknessToDrillDiameter>},
    {"ClearanceToPanelEdge", run<ClearanceToPanelEdgeArgs, clearanceToPanelEdge>},
    {"ComponentFlushWithOutline", run<ComponentFlushWithOutlineArgs, componentFlushWithOutline>},
    {"ComponentHeight", run<ComponentHeightArgs, componentHeight>},
    {"ComponentNotAllowedPerSurface", run<ComponentNotAllowedPerSurfaceArgs, componentNotAllowedPerSurface>},
    {"ComponentShadow", run<ComponentShadowArgs, componentShadow>},
    {"DistanceCheck2", run<DistanceCheck2Args, distanceCheck2>},
    {"DistanceCheckDiffNets", run<DistanceCheckDiffNetsArgs, distanceCheckDiffNets>},
    {"ExposedTestpointPadSize", run<ExposedTestpointPadSizeArgs, exposedTestpointPadSize>},
    {"GerberThermalBarrelPlugCheck", run<GerberThermalBarrelPlugCheckArgs, gerberThermalBarrelPlugCheck>},
    {"ItemsInCorners", run<ItemsInCornersArgs, itemsInCorners>},
    {"PanelDimensions", run<PanelDimensionsArgs, panelDimensions>},
    {"PanelLengthToWidthRatio", run<PanelLengthToWidthRatioArgs, panelLengthToWidthRatio>},
    {"Pin1Orientation", run<Pin1OrientationArgs, pin1Orientation>},
    {"RouteTraceWidthMinimum", run<RouteTraceWidthMinimumArgs, routeTraceWidthMinimum>},
    {"SMDSoldermaskClearance", run<SMDSoldermaskClearanceArgs, smdSoldermaskClearance>},
    {"TestPadDensityCheck", run<TestPadDensityCheckArgs, testPadDensityCheck>},
    {"TestpointsPerNet", run<TestpointsPerNetArgs, testpointsPerNet>},
    {"ThruHolePadShapes", run<ThruHolePadShapesArgs, thruHolePadShapes>},
    {"ViaHoleSize", run<ViaHoleSizeArgs, viaHoleSize>},
    {"ViaPadSize", run<ViaPadSizeArgs, viaPadSize>},
    {"ViaUnderPart", run<ViaUnderPartArgs, viaUnderPart>},
};

const CheckEntry& entryNamed(std::string_view name) {
    const auto* found = std::ranges::find(kChecks, name, &CheckEntry::name);
    if (found == std::end(kChecks)) {
        throw KorvenFailure(rc::GeneralError, "no check named " + std::string(name));
    }
    return *found;
}

} // namespace

std::span<const CheckEntry> checkTable() {
    return kChecks;
}

int16_t runCheck(Session& session, std::string_view name, const std::string& algName,
                 const CheckArguments& arguments) {
    std::vector<Finding> findings;
    const int16_t code = answerWithDocument(session, [&](Design& design) {
        CheckContext context(design, algName.empty() ? std::string(name) : algName);
        findings = entryNamed(name).run(context, arguments);
    });
    return code == rc::Ok ? reportFindings(session, std::move(findings)) : code;
}

} // namespace lumora::engine
