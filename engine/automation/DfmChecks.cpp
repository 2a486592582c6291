#include "engine/automation/EmbeddedDfm.h"

#include "engine/checks/CheckTable.h"

// Every check goes through the check table (engine/checks/CheckTable.cpp), which performs it and
// turns its findings into DRC markers.

namespace lumora::engine {

int16_t EmbeddedDfm::DistanceCheck2(int16_t geomNum1, int16_t geomNum2, double marginal, double critical,
                                    const std::string& algName, int16_t algType, int16_t canTouch,
                                    int16_t skipSameNets, int16_t oneDRCPerNet, int16_t skipSameComps) {
    return runCheck(session(), "DistanceCheck2", algName,
                    DistanceCheck2Args{.geomNum1 = geomNum1,
                                       .geomNum2 = geomNum2,
                                       .limits = {marginal, critical},
                                       .algType = algType,
                                       .canTouch = canTouch != 0,
                                       .skipSameNets = skipSameNets != 0,
                                       .oneDrcPerNet = oneDRCPerNet != 0,
                                       .skipSameComps = skipSameComps != 0});
}

int16_t EmbeddedDfm::DistanceCheckDiffNets(int16_t geomNum, double marginal, double critical,
                                           const std::string& algName, int16_t algType, bool canTouch) {
    return runCheck(
        session(), "DistanceCheckDiffNets", algName,
        DistanceCheckDiffNetsArgs{
            .geomNum = geomNum, .limits = {marginal, critical}, .algType = algType, .canTouch = canTouch});
}

int16_t EmbeddedDfm::ComponentShadow(std::vector<int32_t>& items, double marginalLeft, double marginalRight,
                                     double marginalTop, double marginalBottom, double criticalLeft,
                                     double criticalRight, double criticalTop, double criticalBottom) {
    return runCheck(session(), "ComponentShadow", "",
                    ComponentShadowArgs{.files = items,
                                        .left = {marginalLeft, criticalLeft},
                                        .right = {marginalRight, criticalRight},
                                        .top = {marginalTop, criticalTop},
                                        .bottom = {marginalBottom, criticalBottom}});
}

int16_t EmbeddedDfm::PanelDimensions(int32_t filePos, double minWidth, double maxWidth, double minHeight,
                                     double maxHeight, const std::string& algName) {
    return runCheck(session(), "PanelDimensions", algName,
                    PanelDimensionsArgs{.filePos = filePos,
                                        .minWidth = minWidth,
                                        .maxWidth = maxWidth,
                                        .minHeight = minHeight,
                                        .maxHeight = maxHeight});
}

int16_t EmbeddedDfm::ClearanceToPanelEdge(int16_t geomNum, double minRailEdge, double minNonRailEdge,
                                          const std::string& algName) {
    return runCheck(session(), "ClearanceToPanelEdge", algName,
                    ClearanceToPanelEdgeArgs{
                        .geomNum = geomNum, .minRailEdge = minRailEdge, .minNonRailEdge = minNonRailEdge});
}

int16_t EmbeddedDfm::ItemsInCorners(int16_t geomNum, double minRailEdge, double maxRailEdge,
                                    double minNonRailEdge, double maxNonRailEdge, int16_t minCorners,
                                    const std::string& algName, int16_t surface) {
    return runCheck(session(), "ItemsInCorners", algName,
                    ItemsInCornersArgs{.geomNum = geomNum,
                                       .minRailEdge = minRailEdge,
                                       .maxRailEdge = maxRailEdge,
                                       .minNonRailEdge = minNonRailEdge,
                                       .maxNonRailEdge = maxNonRailEdge,
                                       .minCorners = minCorners,
                                       .surface = surface});
}

int16_t EmbeddedDfm::PanelLengthToWidthRatio(int32_t filePos, double minRatio, const std::string& algName) {
    return runCheck(session(), "PanelLengthToWidthRatio", algName,
                    PanelLengthToWidthRatioArgs{.filePos = filePos, .minRatio = minRatio});
}

int16_t EmbeddedDfm::ComponentFlushWithOutline(int16_t geomNum, double maxDistance,
                                               const std::string& algName) {
    return runCheck(session(), "ComponentFlushWithOutline", algName,
                    ComponentFlushWithOutlineArgs{.geomNum = geomNum, .maxDistance = maxDistance});
}

int16_t EmbeddedDfm::TestpointsPerNet(int16_t geomNum, int16_t minTestpoints, const std::string& algName) {
    return runCheck(session(), "TestpointsPerNet", algName,
                    TestpointsPerNetArgs{.geomNum = geomNum, .minTestpoints = minTestpoints});
}

int16_t EmbeddedDfm::ExposedTestpointPadSize(int16_t geomNum, double minSize, double maxSize,
                                             const std::string& algName) {
    return runCheck(session(), "ExposedTestpointPadSize", algName,
                    ExposedTestpointPadSizeArgs{.geomNum = geomNum, .minSize = minSize, .maxSize = maxSize});
}

int16_t EmbeddedDfm::ViaUnderPart(int16_t geomNum1, int16_t geomNum2, const std::string& algName) {
    return runCheck(session(), "ViaUnderPart", algName,
                    ViaUnderPartArgs{.geomNum1 = geomNum1, .geomNum2 = geomNum2});
}

int16_t EmbeddedDfm::ViaHoleSize(int32_t filePos, double minSize, double maxSize, double ignoreHoleSize,
                                 const std::string& algName) {
    return runCheck(
        session(), "ViaHoleSize", algName,
        ViaHoleSizeArgs{
            .filePos = filePos, .minSize = minSize, .maxSize = maxSize, .ignoreHoleSize = ignoreHoleSize});
}

int16_t EmbeddedDfm::ViaPadSize(int32_t filePos, double topMinSize, double topMaxSize, double bottomMinSize,
                                double bottomMaxSize, double ignoreHoleSize, const std::string& algName) {
    return runCheck(session(), "ViaPadSize", algName,
                    ViaPadSizeArgs{.filePos = filePos,
                                   .topMinSize = topMinSize,
                                   .topMaxSize = topMaxSize,
                                   .bottomMinSize = bottomMinSize,
                                   .bottomMaxSize = bottomMaxSize,
                                   .ignoreHoleSize = ignoreHoleSize});
}

int16_t EmbeddedDfm::RouteTraceWidthMinimum(int16_t geomNum, double marginal, double critical,
                                            const std::string& excludeNets, const std::string& algName) {
    return runCheck(session(), "RouteTraceWidthMinimum", algName,
                    RouteTraceWidthMinimumArgs{
                        .geomNum = geomNum, .limits = {marginal, critical}, .excludeNets = excludeNets});
}

int16_t EmbeddedDfm::ThruHolePadShapes(int32_t filePos, int16_t topAll, int16_t bottomAll, int16_t topOne,
                                       int16_t bottomOne, const std::string& algName) {
    return runCheck(session(), "ThruHolePadShapes", algName,
                    ThruHolePadShapesArgs{.filePos = filePos,
                                          .topAll = topAll,
                                          .bottomAll = bottomAll,
                                          .topOne = topOne,
                                          .bottomOne = bottomOne});
}

int16_t EmbeddedDfm::AllowableComponentOrientation(int32_t filePos, int16_t top, int16_t horizontal,
                                                   const std::string& algName) {
    return runCheck(session(), "AllowableComponentOrientation", algName,
                    AllowableComponentOrientationArgs{
                        .filePos = filePos, .top = top != 0, .horizontal = horizontal != 0});
}

int16_t EmbeddedDfm::BoardThicknessToDrillDiameter(int32_t filePos, double maxRatio,
                                                   const std::string& algName) {
    return runCheck(session(), "BoardThicknessToDrillDiameter", algName,
                    BoardThicknessToDrillDiameterArgs{.filePos = filePos, .maxRatio = maxRatio});
}

int16_t EmbeddedDfm::AnnularRing(int32_t filePos, double padTop, double padBottom, double soldTop,
                                 double soldBottom, const std::string& algName) {
    return runCheck(session(), "AnnularRing", algName,
                    AnnularRingArgs{.filePos = filePos,
                                    .padTop = padTop,
                                    .padBottom = padBottom,
                                    .soldTop = soldTop,
                                    .soldBottom = soldBottom});
}

int16_t EmbeddedDfm::GerberThermalBarrelPlugCheck(int32_t filePos) {
    return runCheck(session(), "GerberThermalBarrelPlugCheck", "",
                    GerberThermalBarrelPlugCheckArgs{.filePos = filePos});
}

int16_t EmbeddedDfm::TestPadDensityCheck(int32_t filePos, int16_t marginal, int16_t critical, double gridSize,
                                         bool addTPDensityAttrib) {
    return runCheck(session(), "TestPadDensityCheck", "",
                    TestPadDensityCheckArgs{.filePos = filePos,
                                            .marginal = marginal,
                                            .critical = critical,
                                            .gridSize = gridSize,
                                            .addTPDensityAttrib = addTPDensityAttrib});
}

int16_t EmbeddedDfm::Pin1Orientation(int32_t filePos, int16_t top, int16_t bottom, bool thruHole, bool smd,
                                     int16_t ignoreCount) {
    return runCheck(session(), "Pin1Orientation", "",
                    Pin1OrientationArgs{.filePos = filePos,
                                        .top = top != 0,
                                        .bottom = bottom != 0,
                                        .thruHole = thruHole,
                                        .smd = smd,
                                        .ignoreCount = ignoreCount});
}

int16_t EmbeddedDfm::ComponentNotAllowedPerSurface(int32_t filePos, int16_t top, int16_t bottom,
                                                   const std::string& attribKeyword,
                                                   const std::string& attribValue) {
    return runCheck(session(), "ComponentNotAllowedPerSurface", "",
                    ComponentNotAllowedPerSurfaceArgs{.filePos = filePos,
                                                      .top = top != 0,
                                                      .bottom = bottom != 0,
                                                      .attribKeyword = attribKeyword,
                                                      .attribValue = attribValue});
}

int16_t EmbeddedDfm::ComponentHeight(int32_t filePos, int16_t top, int16_t bottom,
                                     const std::string& heightKeyword, double topMarginalHeight,
                                     double topCriticalHeight, double bottomMarginalHeight,
                                     double bottomCriticalHeight) {
    return runCheck(session(), "ComponentHeight", "",
                    ComponentHeightArgs{.filePos = filePos,
                                        .top = top != 0,
                                        .bottom = bottom != 0,
                                        .heightKeyword = heightKeyword,
                                        .topHeight = {topMarginalHeight, topCriticalHeight},
                                        .bottomHeight = {bottomMarginalHeight, bottomCriticalHeight}});
}

int16_t EmbeddedDfm::SMDSoldermaskClearance(int16_t geomNum, int16_t soldermaskGeomNum, double minXMargin,
                                            double minYMargin, const std::string& algName) {
    return runCheck(session(), "SMDSoldermaskClearance", algName,
                    SMDSoldermaskClearanceArgs{.geomNum = geomNum,
                                               .soldermaskGeomNum = soldermaskGeomNum,
                                               .minXMargin = minXMargin,
                                               .minYMargin = minYMargin});
}

} // namespace lumora::engine
