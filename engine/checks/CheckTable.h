#pragma once

#include "engine/Session.h"
#include "engine/checks/CheckArguments.h"

#include <span>
#include <string_view>
#include <variant>

namespace lumora::engine {

using CheckArguments =
    std::variant<DistanceCheck2Args, DistanceCheckDiffNetsArgs, ComponentShadowArgs, PanelDimensionsArgs,
                 ClearanceToPanelEdgeArgs, ItemsInCornersArgs, PanelLengthToWidthRatioArgs,
                 ComponentFlushWithOutlineArgs, TestpointsPerNetArgs, ExposedTestpointPadSizeArgs,
                 ViaUnderPartArgs, ViaHoleSizeArgs, ViaPadSizeArgs, RouteTraceWidthMinimumArgs,
                 ThruHolePadShapesArgs, AllowableComponentOrientationArgs, BoardThicknessToDrillDiameterArgs,
                 AnnularRingArgs, GerberThermalBarrelPlugCheckArgs, TestPadDensityCheckArgs,
                 Pin1OrientationArgs, ComponentNotAllowedPerSurfaceArgs, ComponentHeightArgs,
                 SMDSoldermaskClearanceArgs>;

using CheckFunction = std::vector<Finding> (*)(CheckContext&, const CheckArguments&);

// One row of the check table: a method of KORVEN.DFM and the function that performs it.
struct CheckEntry {
    std::string_view name;
    CheckFunction run;
};

std::span<const CheckEntry> checkTable();

// Performs check `name` on the session's document and reports its findings (DrcReport.h). `algName`
// names the markers; when empty they carry the check's name. Returns 0, 1 at the DRC limit, or the
// negative code of a failure, which places no marker.
int16_t runCheck(Session& session, std::string_view name, const std::string& algName,
                 const CheckArguments& arguments);

} // namespace lumora::engine
