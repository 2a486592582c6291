// Wrappers on KORVEN.DFM. Lengths go through toPageUnits, the flatten methods' flags through N, pad
// shapes through padShapeCode; every check reaches KORVEN as KorvenDfm::Check with its arguments
// (korvenapi/DfmChecks.h). Form A failures name the wrapper's arguments, since a failing check is only
// reproducible with them.

#include "korven/KorvenWrapperCall.h"
#include "korven/WrapperConversions.h"

namespace lumora {

namespace {

constexpr auto A = FailureForm::WithArguments;
constexpr auto B = FailureForm::DescriptionOnly;

// Timer label and failure form of every wrapper on KORVEN.DFM, written once.
constexpr WrapperTraits kFilterGeometry{nullptr, A};
constexpr WrapperTraits kGenerateDFxOutlines{nullptr, B};
constexpr WrapperTraits kGenerateEtchBlockers{nullptr, B};
constexpr WrapperTraits kCombinePolies{"Combine Polies", A};
constexpr WrapperTraits kCreateFlattenGeometry{nullptr, A};
constexpr WrapperTraits kFlatten{nullptr, A};
constexpr WrapperTraits kDistanceCheck{"Distance Check", A};
constexpr WrapperTraits kDistanceCheckDiffNets{"Distance Check Diff Nets", B};
constexpr WrapperTraits kComponentShadow{nullptr, B};
constexpr WrapperTraits kPanelDimensions{"Panel Dimensions", B};
constexpr WrapperTraits kAllComponentsClearance{"All Component Clearance", B};
constexpr WrapperTraits kFiducialClearance{"Fiducial Clearance", B};
constexpr WrapperTraits kItemsInCorners{"Items In Corners", A};
constexpr WrapperTraits kPanelLengthToWidth{"Panel Length To Width", B};
constexpr WrapperTraits kComponentFlushWithEdge{"Component Flush With Edge", A};
constexpr WrapperTraits kTestpointsPerNet{"Testpoints Per Net", B};
constexpr WrapperTraits kTestpointPadSize{"Testpoint Pad Size", A};
constexpr WrapperTraits kViaUnderComponent{"Via Under Component", A};
constexpr WrapperTraits kViaHoleSize{"Via Hole Size", A};
constexpr WrapperTraits kViaPadSize{"Via Pad Size", A};
constexpr WrapperTraits kEtchWidthMinimum{"Etch Width Minimum", A};
constexpr WrapperTraits kThruHolePadShape{"Thru-Hole Pad Shape", A};
constexpr WrapperTraits kComponentOrientation{"Component Orientation", A};
constexpr WrapperTraits kBoardThicknessToDrill{"Board Thickness To Drill", A};
constexpr WrapperTraits kAnnularRing{"Annular Ring", A};
constexpr WrapperTraits kBarrelPlug{"Barrel Plug", B};
constexpr WrapperTraits kTestpadDensity{"Testpad Density", B};
constexpr WrapperTraits kPin1Orientation{"Pin 1 Orientation", B};
constexpr WrapperTraits kCompsNotAllowed{"Components Not Allowed per Surface", B};
constexpr WrapperTraits kComponentHeight{"Component Height", B};
constexpr WrapperTraits kSoldermaskClearance{"Soldermask Clearance", A};
constexpr WrapperTraits kProcessSoldermask{"Process Soldermask", B};
constexpr WrapperTraits kSetMaxErrors{nullptr, B};

} // namespace

int16_t clsKORVEN::dfmFilterGeometry(int16_t geomNum, const std::string& keyWord, const std::string& Value,
                                     int32_t comparisonType) {
    return callKorven(
        kFilterGeometry, objDFM_,
        [&](KorvenDfm& dfm) {
            std::string valueText = Value;
            if (isNumber(Value) && isNumericComparison(comparisonType)) {
                valueText = numberToText(toPageUnits(toDouble(Value)));
            }
            return dfm.FilterGeometry(geomNum, keyWord, valueText, comparisonType);
        },
        geomNum, keyWord, Value, comparisonType);
}

int16_t clsKORVEN::dfmGenerateDFxOutlines() {
    return callKorven(kGenerateDFxOutlines, objDFM_,
                      [&](KorvenDfm& dfm) { return dfm.GenerateDFxOutlines(); });
}

int16_t clsKORVEN::dfmGenerateEtchBlockers(double maxPinPitch, int16_t& topLayerNumber,
                                           int16_t& bottomLayerNumber) {
    return callKorven(kGenerateEtchBlockers, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.GenerateEtchBlockers(toPageUnits(maxPinPitch), topLayerNumber, bottomLayerNumber);
    });
}

int16_t clsKORVEN::dfmCombinePolies(int16_t geomNum) {
    return callKorven(
        kCombinePolies, objDFM_, [&](KorvenDfm& dfm) { return dfm.CombinePolies(geomNum); }, geomNum);
}

int16_t clsKORVEN::dfmCreateFlattenGeometry(int32_t filePos, int16_t& geomNum) {
    return callKorven(
        kCreateFlattenGeometry, objDFM_,
        [&](KorvenDfm& dfm) { return dfm.createFlattenGeometry(filePos, geomNum); }, filePos, geomNum);
}

int16_t clsKORVEN::dfmFlattenLayer(int16_t geomNum, int16_t layerNum, bool TopLevelOnly) {
    return callKorven(
        kFlatten, objDFM_, [&](KorvenDfm& dfm) { return dfm.Flatten(geomNum, layerNum, TopLevelOnly); },
        geomNum, layerNum, TopLevelOnly);
}

int16_t clsKORVEN::dfmFlattenByInserttype(int16_t geomNum, int16_t layerNum, int16_t insType,
                                          bool insertPointOnly, int16_t surface) {
    return callKorven(
        kFlatten, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.flattenByInsertType(geomNum, layerNum, insType, N(insertPointOnly), surface);
        },
        geomNum, layerNum, insType, insertPointOnly, surface);
}

int16_t clsKORVEN::dfmFlattenByGraphicClass(int16_t geomNum, int16_t layerNum, int16_t graphicClass,
                                            bool TopLevelOnly) {
    return callKorven(
        kFlatten, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.flattenByGraphicClass(geomNum, layerNum, graphicClass, N(TopLevelOnly));
        },
        geomNum, layerNum, graphicClass, TopLevelOnly);
}

int16_t clsKORVEN::dfmFlattenByAttrib(int16_t geomNum, int16_t layerNum, const std::string& keyWord,
                                      const std::string& Value, int16_t insertType, int32_t comparisonType,
                                      bool insertPointOnly, int16_t surface) {
    // KORVEN takes the comparison type before the insert type.
    return callKorven(
        kFlatten, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.FlattenByAttrib(geomNum, layerNum, keyWord, Value, comparisonType, insertType,
                                       N(insertPointOnly), surface);
        },
        geomNum, layerNum, keyWord, Value, insertType, comparisonType, insertPointOnly, surface);
}

int16_t clsKORVEN::dfmFlattenTestpoints(int16_t geomNum, int16_t layerNum, bool insertPointOnly) {
    return callKorven(
        kFlatten, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.FlattenByAttrib(geomNum, layerNum, "TEST", "", comparison::HasKeyword,
                                       insert_type::Any, N(insertPointOnly), surface::Both);
        },
        geomNum, layerNum, insertPointOnly);
}

int16_t clsKORVEN::dfmFlattenGoldFingers(int16_t geomNum, int16_t layerNum, const std::string& pkgKeyword,
                                         const std::string& pkgValue) {
    return callKorven(
        kFlatten, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.FlattenByAttrib(geomNum, layerNum, pkgKeyword, pkgValue, comparison::Equal,
                                       insert_type::Component, 0, surface::Both);
        },
        geomNum, layerNum, pkgKeyword, pkgValue);
}

int16_t clsKORVEN::dfmDistanceCheck(int16_t geomNum1, int16_t geomNum2, double marginal, double critical,
                                    const std::string& algName, int16_t algType, bool CanTouch,
                                    bool SkipSameNets, bool OneDRCPerNet, bool SkipSameComps) {
    return callKorven(
        kDistanceCheck, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.Check(DistanceCheck2Args{.geomNum1 = geomNum1,
                                                .geomNum2 = geomNum2,
                                                .limits = {toPageUnits(marginal), toPageUnits(critical)},
                                                .algName = algName,
                                                .algType = algType,
                                                .canTouch = CanTouch,
                                                .skipSameNets = SkipSameNets,
                                                .oneDrcPerNet = OneDRCPerNet,
                                                .skipSameComps = SkipSameComps});
        },
        geomNum1, geomNum2, marginal, critical, algName, algType, CanTouch, SkipSameNets, OneDRCPerNet,
        SkipSameComps);
}

int16_t clsKORVEN::dfmDistanceCheckDiffNets(int16_t geomNum, double /*acceptable*/, double marginal,
                                            double critical, const std::string& algName, int16_t algType,
                                            const std::string& /*lyrSuffix*/, bool /*AttribOverride*/,
                                            bool CanTouch) {
    return callKorven(kDistanceCheckDiffNets, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.Check(DistanceCheckDiffNetsArgs{.geomNum = geomNum,
                                                   .limits = {toPageUnits(marginal), toPageUnits(critical)},
                                                   .algName = algName,
                                                   .algType = algType,
                                                   .canTouch = CanTouch});
    });
}

int16_t clsKORVEN::dfmComponentShadow(double /*acceptableLt*/, double /*acceptableRt*/,
                                      double /*acceptableTop*/, double /*acceptableBot*/, double marginalLeft,
                                      double marginalRight, double marginalTop, double marginalBottom,
                                      double criticalLeft, double criticalRight, double criticalTop,
                                      double criticalBottom) {
    return callKorven(kComponentShadow, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.Check(
            ComponentShadowArgs{.left = {toPageUnits(marginalLeft), toPageUnits(criticalLeft)},
                                .right = {toPageUnits(marginalRight), toPageUnits(criticalRight)},
                                .top = {toPageUnits(marginalTop), toPageUnits(criticalTop)},
                                .bottom = {toPageUnits(marginalBottom), toPageUnits(criticalBottom)}});
    });
}

int16_t clsKORVEN::dfmPanelDimensions(int32_t filePos, double minWidth, double maxWidth, double minHeight,
                                      double maxHeight, const std::string& algName) {
    return callKorven(kPanelDimensions, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.Check(PanelDimensionsArgs{.filePos = filePos,
                                             .minWidth = toPageUnits(minWidth),
                                             .maxWidth = toPageUnits(maxWidth),
                                             .minHeight = toPageUnits(minHeight),
                                             .maxHeight = toPageUnits(maxHeight),
                                             .algName = algName});
    });
}

int16_t clsKORVEN::dfmAllComponentsClearanceToPanelEdge(int16_t geomNum, double minRailEdge,
                                                        double minNonRailEdge) {
    return callKorven(kAllComponentsClearance, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.Check(ClearanceToPanelEdgeArgs{.geomNum = geomNum,
                                                  .minRailEdge = toPageUnits(minRailEdge),
                                                  .minNonRailEdge = toPageUnits(minNonRailEdge),
                                                  .algName = "All Components Clearance To Panel Edges"});
    });
}

int16_t clsKORVEN::dfmFiducialClearanceToPanelEdge(int16_t geomNum, double minRailEdge,
                                                   double minNonRailEdge) {
    return callKorven(kFiducialClearance, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.Check(ClearanceToPanelEdgeArgs{.geomNum = geomNum,
                                                  .minRailEdge = toPageUnits(minRailEdge),
                                                  .minNonRailEdge = toPageUnits(minNonRailEdge),
                                                  .algName = "Fiducial Clearance To Panel Edge"});
    });
}

int16_t clsKORVEN::dfmItemsInCorners(int16_t geomNum, double minRailEdge, double maxRailEdge,
                                     double minNonRailEdge, double maxNonRailEdge, int16_t minCorners,
                                     const std::string& algName, int16_t surface) {
    return callKorven(
        kItemsInCorners, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.Check(ItemsInCornersArgs{.geomNum = geomNum,
                                                .minRailEdge = toPageUnits(minRailEdge),
                                                .maxRailEdge = toPageUnits(maxRailEdge),
                                                .minNonRailEdge = toPageUnits(minNonRailEdge),
                                                .maxNonRailEdge = toPageUnits(maxNonRailEdge),
                                                .minCorners = minCorners,
                                                .algName = algName,
                                                .surface = surface});
        },
        geomNum, minRailEdge, maxRailEdge, minNonRailEdge, maxNonRailEdge, minCorners, algName, surface);
}

int16_t clsKORVEN::dfmPanelLengthToWidthRatio(int32_t filePos, double minRatio) {
    // A ratio has no unit.
    return callKorven(kPanelLengthToWidth, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.Check(PanelLengthToWidthRatioArgs{
            .filePos = filePos, .minRatio = minRatio, .algName = "Length_To_Width_Ratio"});
    });
}

int16_t clsKORVEN::dfmComponentFlushWithEdge(int16_t geomNum, double maxDistance,
                                             const std::string& algName) {
    return callKorven(
        kComponentFlushWithEdge, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.Check(ComponentFlushWithOutlineArgs{
                .geomNum = geomNum, .maxDistance = toPageUnits(maxDistance), .algName = algName});
        },
        geomNum, maxDistance, algName);
}

int16_t clsKORVEN::dfmTestpointsPerNet(int16_t geomNum, int16_t minTestpoints, const std::string& algName) {
    return callKorven(kTestpointsPerNet, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.Check(
            TestpointsPerNetArgs{.geomNum = geomNum, .minTestpoints = minTestpoints, .algName = algName});
    });
}

int16_t clsKORVEN::dfmExposedTestpointPadSize(int16_t geomNum, double minSize, double maxSize,
                                              const std::string& algName) {
    return callKorven(
        kTestpointPadSize, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.Check(ExposedTestpointPadSizeArgs{.geomNum = geomNum,
                                                         .minSize = toPageUnits(minSize),
                                                         .maxSize = toPageUnits(maxSize),
                                                         .algName = algName});
        },
        geomNum, minSize, maxSize, algName);
}

int16_t clsKORVEN::dfmViaUnderPart(int16_t geomNum1, int16_t geomNum2, const std::string& algName) {
    return callKorven(
        kViaUnderComponent, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.Check(
                ViaUnderPartArgs{.geomNum1 = geomNum1, .geomNum2 = geomNum2, .algName = algName});
        },
        geomNum1, geomNum2, algName);
}

int16_t clsKORVEN::dfmViaHoleSize(int32_t filePos, double minSize, double maxSize, double ignoreHoleSize) {
    return callKorven(
        kViaHoleSize, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.Check(ViaHoleSizeArgs{.filePos = filePos,
                                             .minSize = toPageUnits(minSize),
                                             .maxSize = toPageUnits(maxSize),
                                             .ignoreHoleSize = toPageUnits(ignoreHoleSize),
                                             .algName = "Via Hole Size"});
        },
        filePos, minSize, maxSize, ignoreHoleSize);
}

int16_t clsKORVEN::dfmViaPadSize(int32_t filePos, double topMinSize, double topMaxSize, double bottomMinSize,
                                 double bottomMaxSize, double ignoreHoleSize) {
    return callKorven(
        kViaPadSize, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.Check(ViaPadSizeArgs{.filePos = filePos,
                                            .topMinSize = toPageUnits(topMinSize),
                                            .topMaxSize = toPageUnits(topMaxSize),
                                            .bottomMinSize = toPageUnits(bottomMinSize),
                                            .bottomMaxSize = toPageUnits(bottomMaxSize),
                                            .ignoreHoleSize = toPageUnits(ignoreHoleSize),
                                            .algName = "Via Pad Size"});
        },
        filePos, topMinSize, topMaxSize, bottomMinSize, bottomMaxSize, ignoreHoleSize);
}

int16_t clsKORVEN::dfmRouteTraceWidthMinimum(int16_t geomNum, double marginal, double critical,
                                             const std::string& excludeNets, const std::string& algName) {
    return callKorven(
        kEtchWidthMinimum, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.Check(
                RouteTraceWidthMinimumArgs{.geomNum = geomNum,
                                           .limits = {toPageUnits(marginal), toPageUnits(critical)},
                                           .excludeNets = excludeNets,
                                           .algName = algName});
        },
        geomNum, marginal, critical, excludeNets, algName);
}

int16_t clsKORVEN::dfmThruHolePadShapes(int32_t filePos, const std::string& topAll,
                                        const std::string& bottomAll, const std::string& topOne,
                                        const std::string& bottomOne, const std::string& algName) {
    return callKorven(
        kThruHolePadShape, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.Check(ThruHolePadShapesArgs{.filePos = filePos,
                                                   .topAll = padShapeCode(topAll),
                                                   .bottomAll = padShapeCode(bottomAll),
                                                   .topOne = padShapeCode(topOne),
                                                   .bottomOne = padShapeCode(bottomOne),
                                                   .algName = algName});
        },
        filePos, topAll, bottomAll, topOne, bottomOne, algName);
}

int16_t clsKORVEN::dfmAllowableComponentOrientation(int32_t filePos, bool top, bool horizontal,
                                                    const std::string& algName) {
    return callKorven(
        kComponentOrientation, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.Check(AllowableComponentOrientationArgs{
                .filePos = filePos, .top = top, .horizontal = horizontal, .algName = algName});
        },
        filePos, top, horizontal, algName);
}

int16_t clsKORVEN::dfmBoardThicknessToDrillDiameter(int32_t filePos, double maxRatio,
                                                    const std::string& algName) {
    // A ratio has no unit.
    return callKorven(
        kBoardThicknessToDrill, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.Check(BoardThicknessToDrillDiameterArgs{
                .filePos = filePos, .maxRatio = maxRatio, .algName = algName});
        },
        filePos, maxRatio, algName);
}

int16_t clsKORVEN::dfmAnnularRing(int32_t filePos, double padTop, double padBottom, double soldTop,
                                  double soldBottom, const std::string& algName) {
    return callKorven(
        kAnnularRing, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.Check(AnnularRingArgs{.filePos = filePos,
                                             .padTop = toPageUnits(padTop),
                                             .padBottom = toPageUnits(padBottom),
                                             .soldTop = toPageUnits(soldTop),
                                             .soldBottom = toPageUnits(soldBottom),
                                             .algName = algName});
        },
        filePos, padTop, padBottom, soldTop, soldBottom, algName);
}

int16_t clsKORVEN::dfmGerberThermalBarrelPlugCheck(int32_t filePos) {
    return callKorven(kBarrelPlug, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.Check(GerberThermalBarrelPlugCheckArgs{.filePos = filePos});
    });
}

int16_t clsKORVEN::dfmTestpadDensityCheck(int32_t filePosition, int16_t marginal, int16_t critical,
                                          double gridSize, bool addTPDensityAttrib) {
    return callKorven(kTestpadDensity, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.Check(TestPadDensityCheckArgs{.filePos = filePosition,
                                                 .marginal = marginal,
                                                 .critical = critical,
                                                 .gridSize = toPageUnits(gridSize),
                                                 .addTPDensityAttrib = addTPDensityAttrib});
    });
}

int16_t clsKORVEN::dfmPin1OrientationCheck(int32_t filePosition, bool top, bool bottom, bool thruHole,
                                           bool smd, int16_t ignoreCount) {
    return callKorven(kPin1Orientation, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.Check(Pin1OrientationArgs{.filePos = filePosition,
                                             .top = top,
                                             .bottom = bottom,
                                             .thruHole = thruHole,
                                             .smd = smd,
                                             .ignoreCount = ignoreCount});
    });
}

int16_t clsKORVEN::dfmCompsNotAllowed(int32_t filePosition, bool top, bool bottom,
                                      const std::string& attribKeyword, const std::string& attribValue) {
    return callKorven(kCompsNotAllowed, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.Check(ComponentNotAllowedPerSurfaceArgs{.filePos = filePosition,
                                                           .top = top,
                                                           .bottom = bottom,
                                                           .attribKeyword = attribKeyword,
                                                           .attribValue = attribValue});
    });
}

int16_t clsKORVEN::dfmCompHeight(int32_t filePosition, bool top, bool bottom,
                                 const std::string& componentHeightAttributeKeyword, double topMarginalHeight,
                                 double topCriticalHeight, double bottomMarginalHeight,
                                 double bottomCriticalHeight) {
    return callKorven(kComponentHeight, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.Check(ComponentHeightArgs{
            .filePos = filePosition,
            .top = top,
            .bottom = bottom,
            .heightKeyword = componentHeightAttributeKeyword,
            .topHeight = {toPageUnits(topMarginalHeight), toPageUnits(topCriticalHeight)},
            .bottomHeight = {toPageUnits(bottomMarginalHeight), toPageUnits(bottomCriticalHeight)}});
    });
}

int16_t clsKORVEN::dfmSMDSoldermaskClearance(int16_t geomNum, int16_t soldermaskGeomNum, double minXMargin,
                                             double minYMargin, const std::string& algName) {
    return callKorven(
        kSoldermaskClearance, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.Check(SMDSoldermaskClearanceArgs{.geomNum = geomNum,
                                                        .soldermaskGeomNum = soldermaskGeomNum,
                                                        .minXMargin = toPageUnits(minXMargin),
                                                        .minYMargin = toPageUnits(minYMargin),
                                                        .algName = algName});
        },
        geomNum, soldermaskGeomNum, minXMargin, minYMargin, algName);
}

int16_t clsKORVEN::dfmProcessSolderMask(int16_t soldermaskGeomNum, int16_t copperGeomNum) {
    return callKorven(kProcessSoldermask, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.ProcessSolderMask(soldermaskGeomNum, copperGeomNum);
    });
}

int16_t clsKORVEN::dfmSetMaxErrorsForTest(int16_t drcLimit) {
    return callKorven(kSetMaxErrors, objDFM_, [&](KorvenDfm& dfm) {
        dfm.setMaxErrorsPerTest(drcLimit);
        return rc::Ok;
    });
}

} // namespace lumora
