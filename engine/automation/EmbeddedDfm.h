#pragma once

#include "engine/Session.h"
#include "korven/KorvenAutomation.h"

#include <memory>

namespace lumora::engine {

// "KORVEN.DFM" of the embedded KORVEN: the preparation of geometries (DfmPreparation.cpp) and the
// checks (DfmChecks.cpp).
class EmbeddedDfm : public KorvenDfm {
  public:
    explicit EmbeddedDfm(std::shared_ptr<Session> session) : session_(std::move(session)) {}

    // Preparation (DfmPreparation.cpp)
    int16_t FilterGeometry(int16_t geomNum, const std::string& keyWord, const std::string& value,
                           int32_t comparisonType) override;
    int16_t GenerateDFxOutlines() override;
    int16_t GenerateEtchBlockers(double maxPinPitch, int16_t& topLayerNumber,
                                 int16_t& bottomLayerNumber) override;
    int16_t CombinePolies(int16_t geomNum) override;
    int16_t createFlattenGeometry(int32_t filePos, int16_t& geomNum) override;
    int16_t Flatten(int16_t geomNum, int16_t layerNum, bool topLevelOnly) override;
    int16_t flattenByInsertType(int16_t geomNum, int16_t layerNum, int16_t insType, int16_t insertPointOnly,
                                int16_t surface) override;
    int16_t flattenByGraphicClass(int16_t geomNum, int16_t layerNum, int16_t graphicClass,
                                  int16_t topLevelOnly) override;
    int16_t FlattenByAttrib(int16_t geomNum, int16_t layerNum, const std::string& keyWord,
                            const std::string& value, int32_t comparisonType, int16_t insertType,
                            int16_t insertPointOnly, int16_t surface) override;
    int16_t ProcessSolderMask(int16_t soldermaskGeomNum, int16_t copperGeomNum) override;
    int16_t maxErrorsPerTest() const override;
    void setMaxErrorsPerTest(int16_t limit) override;

    // Checks (DfmChecks.cpp)
    int16_t DistanceCheck2(int16_t geomNum1, int16_t geomNum2, double marginal, double critical,
                           const std::string& algName, int16_t algType, int16_t canTouch,
                           int16_t skipSameNets, int16_t oneDRCPerNet, int16_t skipSameComps) override;
    int16_t DistanceCheckDiffNets(int16_t geomNum, double marginal, double critical,
                                  const std::string& algName, int16_t algType, bool canTouch) override;
    int16_t ComponentShadow(std::vector<int32_t>& items, double marginalLeft, double marginalRight,
                            double marginalTop, double marginalBottom, double criticalLeft,
                            double criticalRight, double criticalTop, double criticalBottom) override;
    int16_t PanelDimensions(int32_t filePos, double minWidth, double maxWidth, double minHeight,
                            double maxHeight, const std::string& algName) override;
    int16_t ClearanceToPanelEdge(int16_t geomNum, double minRailEdge, double minNonRailEdge,
                                 const std::string& algName) override;
    int16_t ItemsInCorners(int16_t geomNum, double minRailEdge, double maxRailEdge, double minNonRailEdge,
                           double maxNonRailEdge, int16_t minCorners, const std::string& algName,
                           int16_t surface) override;
    int16_t PanelLengthToWidthRatio(int32_t filePos, double minRatio, const std::string& algName) override;
    int16_t ComponentFlushWithOutline(int16_t geomNum, double maxDistance,
                                      const std::string& algName) override;
    int16_t TestpointsPerNet(int16_t geomNum, int16_t minTestpoints, const std::string& algName) override;
    int16_t ExposedTestpointPadSize(int16_t geomNum, double minSize, double maxSize,
                                    const std::string& algName) override;
    int16_t ViaUnderPart(int16_t geomNum1, int16_t geomNum2, const std::string& algName) override;
    int16_t ViaHoleSize(int32_t filePos, double minSize, double maxSize, double ignoreHoleSize,
                        const std::string& algName) override;
    int16_t ViaPadSize(int32_t filePos, double topMinSize, double topMaxSize, double bottomMinSize,
                       double bottomMaxSize, double ignoreHoleSize, const std::string& algName) override;
    int16_t RouteTraceWidthMinimum(int16_t geomNum, double marginal, double critical,
                                   const std::string& excludeNets, const std::string& algName) override;
    int16_t ThruHolePadShapes(int32_t filePos, int16_t topAll, int16_t bottomAll, int16_t topOne,
                              int16_t bottomOne, const std::string& algName) override;
    int16_t AllowableComponentOrientation(int32_t filePos, int16_t top, int16_t horizontal,
                                          const std::string& algName) override;
    int16_t BoardThicknessToDrillDiameter(int32_t filePos, double maxRatio,
                                          const std::string& algName) override;
    int16_t AnnularRing(int32_t filePos, double padTop, double padBottom, double soldTop, double soldBottom,
                        const std::string& algName) override;
    int16_t GerberThermalBarrelPlugCheck(int32_t filePos) override;
    int16_t TestPadDensityCheck(int32_t filePos, int16_t marginal, int16_t critical, double gridSize,
                                bool addTPDensityAttrib) override;
    int16_t Pin1Orientation(int32_t filePos, int16_t top, int16_t bottom, bool thruHole, bool smd,
                            int16_t ignoreCount) override;
    int16_t ComponentNotAllowedPerSurface(int32_t filePos, int16_t top, int16_t bottom,
                                          const std::string& attribKeyword,
                                          const std::string& attribValue) override;
    int16_t ComponentHeight(int32_t filePos, int16_t top, int16_t bottom, const std::string& heightKeyword,
                            double topMarginalHeight, double topCriticalHeight, double bottomMarginalHeight,
                            double bottomCriticalHeight) override;
    int16_t SMDSoldermaskClearance(int16_t geomNum, int16_t soldermaskGeomNum, double minXMargin,
                                   double minYMargin, const std::string& algName) override;

  private:
    Session& session() const { return *session_; }

    std::shared_ptr<Session> session_;
};

} // namespace lumora::engine
