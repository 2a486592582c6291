// Wrappers on KORVEN.DFM. Lengths go through toPageUnits, flags through N, pad shapes through
// padShapeCode. Form A failures name the arguments, since a failing check is only reproducible
// with them.

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
            return dfm.DistanceCheck2(geomNum1, geomNum2, toPageUnits(marginal), toPageUnits(critical),
                                      algName, algType, N(CanTouch), N(SkipSameNets), N(OneDRCPerNet),
                                      N(SkipSameComps));
        },
        geomNum1, geomNum2, marginal, critical, algName, algType, CanTouch, SkipSameNets, OneDRCPerNet,
        SkipSameComps);
}

int16_t clsKORVEN::dfmDistanceCheckDiffNets(int16_t geomNum, double /*acceptable*/, double marginal,
                                            double critical, const std::string& algName, int16_t algType,
                                            const std::string& /*lyrSuffix*/, bool /*AttribOverride*/,
                                            bool CanTouch) {
    return callKorven(kDistanceCheckDiffNets, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.DistanceCheckDiffNets(geomNum, toPageUnits(marginal), toPageUnits(critical), algName,
                                         algType, CanTouch);
    });
}

int16_t clsKORVEN::dfmComponentShadow(double /*acceptableLt*/, double /*acceptableRt*/,
                                      double /*acceptableTop*/, double /*acceptableBot*/, double marginalLeft,
                                      double marginalRight, double marginalTop, double marginalBottom,
                                      double criticalLeft, double criticalRight, double criticalTop,
                                      double criticalBottom) {
    return callKorven(kComponentShadow, objDFM_, [&](KorvenDfm& dfm) {
        std::vector<int32_t> unused;
        return dfm.ComponentShadow(unused, toPageUnits(marginalLeft), toPageUnits(marginalRight),
                                   toPageUnits(marginalTop), toPageUnits(marginalBottom),
                                   toPageUnits(criticalLeft), toPageUnits(criticalRight),
                                   toPageUnits(criticalTop), toPageUnits(criticalBottom));
    });
}

int16_t clsKORVEN::dfmPanelDimensions(int32_t filePos, double minWidth, double maxWidth, double minHeight,
                                      double maxHeight, const std::string& algName) {
    return callKorven(kPanelDimensions, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.PanelDimensions(filePos, toPageUnits(minWidth), toPageUnits(maxWidth),
                                   toPageUnits(minHeight), toPageUnits(maxHeight), algName);
    });
}

int16_t clsKORVEN::dfmAllComponentsClearanceToPanelEdge(int16_t geomNum, double minRailEdge,
                                                        double minNonRailEdge) {
    return callKorven(kAllComponentsClearance, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.ClearanceToPanelEdge(geomNum, toPageUnits(minRailEdge), toPageUnits(minNonRailEdge),
                                        "All Components Clearance To Panel Edges");
    });
}

int16_t clsKORVEN::dfmFiducialClearanceToPanelEdge(int16_t geomNum, double minRailEdge,
                                                   double minNonRailEdge) {
    return callKorven(kFiducialClearance, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.ClearanceToPanelEdge(geomNum, toPageUnits(minRailEdge), toPageUnits(minNonRailEdge),
                                        "Fiducial Clearance To Panel Edge");
    });
}

int16_t clsKORVEN::dfmItemsInCorners(int16_t geomNum, double minRailEdge, double maxRailEdge,
                                     double minNonRailEdge, double maxNonRailEdge, int16_t minCorners,
                                     const std::string& algName, int16_t surface) {
    return callKorven(
        kItemsInCorners, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.ItemsInCorners(geomNum, toPageUnits(minRailEdge), toPageUnits(maxRailEdge),
                                      toPageUnits(minNonRailEdge), toPageUnits(maxNonRailEdge), minCorners,
                                      algName, surface);
        },
        geomNum, minRailEdge, maxRailEdge, minNonRailEdge, maxNonRailEdge, minCorners, algName, surface);
}

int16_t clsKORVEN::dfmPanelLengthToWidthRatio(int32_t filePos, double minRatio) {
    // A ratio has no unit.
    return callKorven(kPanelLengthToWidth, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.PanelLengthToWidthRatio(filePos, minRatio, "Length_To_Width_Ratio");
    });
}

int16_t clsKORVEN::dfmComponentFlushWithEdge(int16_t geomNum, double maxDistance,
                                             const std::string& algName) {
    return callKorven(
        kComponentFlushWithEdge, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.ComponentFlushWithOutline(geomNum, toPageUnits(maxDistance), algName);
        },
        geomNum, maxDistance, algName);
}

int16_t clsKORVEN::dfmTestpointsPerNet(int16_t geomNum, int16_t minTestpoints, const std::string& algName) {
    return callKorven(kTestpointsPerNet, objDFM_,
                      [&](KorvenDfm& dfm) { return dfm.TestpointsPerNet(geomNum, minTestpoints, algName); });
}

int16_t clsKORVEN::dfmExposedTestpointPadSize(int16_t geomNum, double minSize, double maxSize,
                                              const std::string& algName) {
    return callKorven(
        kTestpointPadSize, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.ExposedTestpointPadSize(geomNum, toPageUnits(minSize), toPageUnits(maxSize), algName);
        },
        geomNum, minSize, maxSize, algName);
}

int16_t clsKORVEN::dfmViaUnderPart(int16_t geomNum1, int16_t geomNum2, const std::string& algName) {
    return callKorven(
        kViaUnderComponent, objDFM_,
        [&](KorvenDfm& dfm) { return dfm.ViaUnderPart(geomNum1, geomNum2, algName); }, geomNum1, geomNum2,
        algName);
}

int16_t clsKORVEN::dfmViaHoleSize(int32_t filePos, double minSize, double maxSize, double ignoreHoleSize) {
    return callKorven(
        kViaHoleSize, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.ViaHoleSize(filePos, toPageUnits(minSize), toPageUnits(maxSize),
                                   toPageUnits(ignoreHoleSize), "Via Hole Size");
        },
        filePos, minSize, maxSize, ignoreHoleSize);
}

int16_t clsKORVEN::dfmViaPadSize(int32_t filePos, double topMinSize, double topMaxSize, double bottomMinSize,
                                 double bottomMaxSize, double ignoreHoleSize) {
    return callKorven(
        kViaPadSize, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.ViaPadSize(filePos, toPageUnits(topMinSize), toPageUnits(topMaxSize),
                                  toPageUnits(bottomMinSize), toPageUnits(bottomMaxSize),
                                  toPageUnits(ignoreHoleSize), "Via Pad Size");
        },
        filePos, topMinSize, topMaxSize, bottomMinSize, bottomMaxSize, ignoreHoleSize);
}

int16_t clsKORVEN::dfmRouteTraceWidthMinimum(int16_t geomNum, double marginal, double critical,
                                             const std::string& excludeNets, const std::string& algName) {
    return callKorven(
        kEtchWidthMinimum, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.RouteTraceWidthMinimum(geomNum, toPageUnits(marginal), toPageUnits(critical),
                                              excludeNets, algName);
        },
        geomNum, marginal, critical, excludeNets, algName);
}

int16_t clsKORVEN::dfmThruHolePadShapes(int32_t filePos, const std::string& topAll,
                                        const std::string& bottomAll, const std::string& topOne,
                                        const std::string& bottomOne, const std::string& algName) {
    return callKorven(
        kThruHolePadShape, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.ThruHolePadShapes(filePos, padShapeCode(topAll), padShapeCode(bottomAll),
                                         padShapeCode(topOne), padShapeCode(bottomOne), algName);
        },
        filePos, topAll, bottomAll, topOne, bottomOne, algName);
}

int16_t clsKORVEN::dfmAllowableComponentOrientation(int32_t filePos, bool top, bool horizontal,
                                                    const std::string& algName) {
    return callKorven(
        kComponentOrientation, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.AllowableComponentOrientation(filePos, N(top), N(horizontal), algName);
        },
        filePos, top, horizontal, algName);
}

int16_t clsKORVEN::dfmBoardThicknessToDrillDiameter(int32_t filePos, double maxRatio,
                                                    const std::string& algName) {
    // A ratio has no unit.
    return callKorven(
        kBoardThicknessToDrill, objDFM_,
        [&](KorvenDfm& dfm) { return dfm.BoardThicknessToDrillDiameter(filePos, maxRatio, algName); },
        filePos, maxRatio, algName);
}

int16_t clsKORVEN::dfmAnnularRing(int32_t filePos, double padTop, double padBottom, double soldTop,
                                  double soldBottom, const std::string& algName) {
    return callKorven(
        kAnnularRing, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.AnnularRing(filePos, toPageUnits(padTop), toPageUnits(padBottom), toPageUnits(soldTop),
                                   toPageUnits(soldBottom), algName);
        },
        filePos, padTop, padBottom, soldTop, soldBottom, algName);
}

int16_t clsKORVEN::dfmGerberThermalBarrelPlugCheck(int32_t filePos) {
    return callKorven(kBarrelPlug, objDFM_,
                      [&](KorvenDfm& dfm) { return dfm.GerberThermalBarrelPlugCheck(filePos); });
}

int16_t clsKORVEN::dfmTestpadDensityCheck(int32_t filePosition, int16_t marginal, int16_t critical,
                                          double gridSize, bool addTPDensityAttrib) {
    return callKorven(kTestpadDensity, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.TestPadDensityCheck(filePosition, marginal, critical, toPageUnits(gridSize),
                                       addTPDensityAttrib);
    });
}

int16_t clsKORVEN::dfmPin1OrientationCheck(int32_t filePosition, bool top, bool bottom, bool thruHole,
                                           bool smd, int16_t ignoreCount) {
    return callKorven(kPin1Orientation, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.Pin1Orientation(filePosition, N(top), N(bottom), thruHole, smd, ignoreCount);
    });
}

int16_t clsKORVEN::dfmCompsNotAllowed(int32_t filePosition, bool top, bool bottom,
                                      const std::string& attribKeyword, const std::string& attribValue) {
    return callKorven(kCompsNotAllowed, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.ComponentNotAllowedPerSurface(filePosition, N(top), N(bottom), attribKeyword, attribValue);
    });
}

int16_t clsKORVEN::dfmCompHeight(int32_t filePosition, bool top, bool bottom,
                                 const std::string& componentHeightAttributeKeyword, double topMarginalHeight,
                                 double topCriticalHeight, double bottomMarginalHeight,
                                 double bottomCriticalHeight) {
    return callKorven(kComponentHeight, objDFM_, [&](KorvenDfm& dfm) {
        return dfm.ComponentHeight(filePosition, N(top), N(bottom), componentHeightAttributeKeyword,
                                   toPageUnits(topMarginalHeight), toPageUnits(topCriticalHeight),
                                   toPageUnits(bottomMarginalHeight), toPageUnits(bottomCriticalHeight));
    });
}

int16_t clsKORVEN::dfmSMDSoldermaskClearance(int16_t geomNum, int16_t soldermaskGeomNum, double minXMargin,
                                             double minYMargin, const std::string& algName) {
    return callKorven(
        kSoldermaskClearance, objDFM_,
        [&](KorvenDfm& dfm) {
            return dfm.SMDSoldermaskClearance(geomNum, soldermaskGeomNum, toPageUnits(minXMargin),
                                              toPageUnits(minYMargin), algName);
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
