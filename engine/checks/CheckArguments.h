#pragma once

// The arguments of every check of KORVEN.DFM as its method receives them (lengths in page units),
// and the function that performs it. Each function lives in engine/checks/<CheckName>.cpp.

#include "engine/findings/CheckContext.h"
#include "engine/findings/Finding.h"
#include "engine/findings/Severity.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lumora::engine {

struct DistanceCheck2Args {
    int16_t geomNum1 = 0;
    int16_t geomNum2 = 0;
    Limits limits{};
    int16_t algType = 0;
    bool canTouch = false;
    bool skipSameNets = false;
    bool oneDrcPerNet = false;
    bool skipSameComps = false;
};
std::vector<Finding> distanceCheck2(CheckContext& context, const DistanceCheck2Args& args);

struct DistanceCheckDiffNetsArgs {
    int16_t geomNum = 0;
    Limits limits{};
    int16_t algType = 0;
    bool canTouch = false;
};
std::vector<Finding> distanceCheckDiffNets(CheckContext& context, const DistanceCheckDiffNetsArgs& args);

struct ComponentShadowArgs {
    std::vector<int32_t> files{}; // none: every board file
    Limits left{};
    Limits right{};
    Limits top{};
    Limits bottom{};
};
std::vector<Finding> componentShadow(CheckContext& context, const ComponentShadowArgs& args);

struct PanelDimensionsArgs {
    int32_t filePos = 0;
    double minWidth = 0;
    double maxWidth = 0;
    double minHeight = 0;
    double maxHeight = 0;
};
std::vector<Finding> panelDimensions(CheckContext& context, const PanelDimensionsArgs& args);

struct ClearanceToPanelEdgeArgs {
    int16_t geomNum = 0;
    double minRailEdge = 0;
    double minNonRailEdge = 0;
};
std::vector<Finding> clearanceToPanelEdge(CheckContext& context, const ClearanceToPanelEdgeArgs& args);

struct ItemsInCornersArgs {
    int16_t geomNum = 0;
    double minRailEdge = 0;
    double maxRailEdge = 0;
    double minNonRailEdge = 0;
    double maxNonRailEdge = 0;
    int16_t minCorners = 0;
    int16_t surface = 0;
};
std::vector<Finding> itemsInCorners(CheckContext& context, const ItemsInCornersArgs& args);

struct PanelLengthToWidthRatioArgs {
    int32_t filePos = 0;
    double minRatio = 0;
};
std::vector<Finding> panelLengthToWidthRatio(CheckContext& context, const PanelLengthToWidthRatioArgs& args);

struct ComponentFlushWithOutlineArgs {
    int16_t geomNum = 0;
    double maxDistance = 0;
};
std::vector<Finding> componentFlushWithOutline(CheckContext& context,
                                               const ComponentFlushWithOutlineArgs& args);

struct TestpointsPerNetArgs {
    int16_t geomNum = 0;
    int16_t minTestpoints = 0;
};
std::vector<Finding> testpointsPerNet(CheckContext& context, const TestpointsPerNetArgs& args);

struct ExposedTestpointPadSizeArgs {
    int16_t geomNum = 0;
    double minSize = 0;
    double maxSize = 0;
};
std::vector<Finding> exposedTestpointPadSize(CheckContext& context, const ExposedTestpointPadSizeArgs& args);

struct ViaUnderPartArgs {
    int16_t geomNum1 = 0;
    int16_t geomNum2 = 0;
};
std::vector<Finding> viaUnderPart(CheckContext& context, const ViaUnderPartArgs& args);

struct ViaHoleSizeArgs {
    int32_t filePos = 0;
    double minSize = 0;
    double maxSize = 0;
    double ignoreHoleSize = 0;
};
std::vector<Finding> viaHoleSize(CheckContext& context, const ViaHoleSizeArgs& args);

struct ViaPadSizeArgs {
    int32_t filePos = 0;
    double topMinSize = 0;
    double topMaxSize = 0;
    double bottomMinSize = 0;
    double bottomMaxSize = 0;
    double ignoreHoleSize = 0;
};
std::vector<Finding> viaPadSize(CheckContext& context, const ViaPadSizeArgs& args);

struct RouteTraceWidthMinimumArgs {
    int16_t geomNum = 0;
    Limits limits{};
    std::string excludeNets{};
};
std::vector<Finding> routeTraceWidthMinimum(CheckContext& context, const RouteTraceWidthMinimumArgs& args);

struct ThruHolePadShapesArgs {
    int32_t filePos = 0;
    int16_t topAll = 0;
    int16_t bottomAll = 0;
    int16_t topOne = 0;
    int16_t bottomOne = 0;
};
std::vector<Finding> thruHolePadShapes(CheckContext& context, const ThruHolePadShapesArgs& args);

struct AllowableComponentOrientationArgs {
    int32_t filePos = 0;
    bool top = false;
    bool horizontal = false;
};
std::vector<Finding> allowableComponentOrientation(CheckContext& context,
                                                   const AllowableComponentOrientationArgs& args);

struct BoardThicknessToDrillDiameterArgs {
    int32_t filePos = 0;
    double maxRatio = 0;
};
std::vector<Finding> boardThicknessToDrillDiameter(CheckContext& context,
                                                   const BoardThicknessToDrillDiameterArgs& args);

struct AnnularRingArgs {
    int32_t filePos = 0;
    double padTop = 0;
    double padBottom = 0;
    double soldTop = 0;
    double soldBottom = 0;
};
std::vector<Finding> annularRing(CheckContext& context, const AnnularRingArgs& args);

struct GerberThermalBarrelPlugCheckArgs {
    int32_t filePos = 0;
};
std::vector<Finding> gerberThermalBarrelPlugCheck(CheckContext& context,
                                                  const GerberThermalBarrelPlugCheckArgs& args);

struct TestPadDensityCheckArgs {
    int32_t filePos = 0;
    int16_t marginal = 0;
    int16_t critical = 0;
    double gridSize = 0;
    bool addTPDensityAttrib = false;
};
std::vector<Finding> testPadDensityCheck(CheckContext& context, const TestPadDensityCheckArgs& args);

struct Pin1OrientationArgs {
    int32_t filePos = 0;
    bool top = false;
    bool bottom = false;
    bool thruHole = false;
    bool smd = false;
    int16_t ignoreCount = 0;
};
std::vector<Finding> pin1Orientation(CheckContext& context, const Pin1OrientationArgs& args);

struct ComponentNotAllowedPerSurfaceArgs {
    int32_t filePos = 0;
    bool top = false;
    bool bottom = false;
    std::string attribKeyword{};
    std::string attribValue{};
};
std::vector<Finding> componentNotAllowedPerSurface(CheckContext& context,
                                                   const ComponentNotAllowedPerSurfaceArgs& args);

struct ComponentHeightArgs {
    int32_t filePos = 0;
    bool top = false;
    bool bottom = false;
    std::string heightKeyword{};
    Limits topHeight{};
    Limits bottomHeight{};
};
std::vector<Finding> componentHeight(CheckContext& context, const ComponentHeightArgs& args);

struct SMDSoldermaskClearanceArgs {
    int16_t geomNum = 0;
    int16_t soldermaskGeomNum = 0;
    double minXMargin = 0;
    double minYMargin = 0;
};
std::vector<Finding> smdSoldermaskClearance(CheckContext& context, const SMDSoldermaskClearanceArgs& args);

} // namespace lumora::engine
