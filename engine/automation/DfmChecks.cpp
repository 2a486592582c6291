#include "engine/automation/EmbeddedDfm.h"

// PENDING CHECKS. Every DFM check answers here, and only here, for now: it accepts its call and
// finds nothing. The checks themselves come next and take the place of pendingCheck one by one;
// they report their findings through DrcReport (engine/checks/DrcReport.h).

namespace lumora::engine {

namespace {

int16_t pendingCheck(Session& session) {
    return answerWithDocument(session, [](Design&) {});
}

} // namespace

int16_t EmbeddedDfm::DistanceCheck2(int16_t /*geomNum1*/, int16_t /*geomNum2*/, double /*marginal*/,
                                    double /*critical*/, const std::string& /*algName*/, int16_t /*algType*/,
                                    int16_t /*canTouch*/, int16_t /*skipSameNets*/, int16_t /*oneDRCPerNet*/,
                                    int16_t /*skipSameComps*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::DistanceCheckDiffNets(int16_t /*geomNum*/, double /*marginal*/, double /*critical*/,
                                           const std::string& /*algName*/, int16_t /*algType*/,
                                           bool /*canTouch*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::ComponentShadow(std::vector<int32_t>& /*items*/, double /*marginalLeft*/,
                                     double /*marginalRight*/, double /*marginalTop*/,
                                     double /*marginalBottom*/, double /*criticalLeft*/,
                                     double /*criticalRight*/, double /*criticalTop*/,
                                     double /*criticalBottom*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::PanelDimensions(int32_t /*filePos*/, double /*minWidth*/, double /*maxWidth*/,
                                     double /*minHeight*/, double /*maxHeight*/,
                                     const std::string& /*algName*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::ClearanceToPanelEdge(int16_t /*geomNum*/, double /*minRailEdge*/,
                                          double /*minNonRailEdge*/, const std::string& /*algName*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::ItemsInCorners(int16_t /*geomNum*/, double /*minRailEdge*/, double /*maxRailEdge*/,
                                    double /*minNonRailEdge*/, double /*maxNonRailEdge*/,
                                    int16_t /*minCorners*/, const std::string& /*algName*/,
                                    int16_t /*surface*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::PanelLengthToWidthRatio(int32_t /*filePos*/, double /*minRatio*/,
                                             const std::string& /*algName*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::ComponentFlushWithOutline(int16_t /*geomNum*/, double /*maxDistance*/,
                                               const std::string& /*algName*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::TestpointsPerNet(int16_t /*geomNum*/, int16_t /*minTestpoints*/,
                                      const std::string& /*algName*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::ExposedTestpointPadSize(int16_t /*geomNum*/, double /*minSize*/, double /*maxSize*/,
                                             const std::string& /*algName*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::ViaUnderPart(int16_t /*geomNum1*/, int16_t /*geomNum2*/,
                                  const std::string& /*algName*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::ViaHoleSize(int32_t /*filePos*/, double /*minSize*/, double /*maxSize*/,
                                 double /*ignoreHoleSize*/, const std::string& /*algName*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::ViaPadSize(int32_t /*filePos*/, double /*topMinSize*/, double /*topMaxSize*/,
                                double /*bottomMinSize*/, double /*bottomMaxSize*/, double /*ignoreHoleSize*/,
                                const std::string& /*algName*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::RouteTraceWidthMinimum(int16_t /*geomNum*/, double /*marginal*/, double /*critical*/,
                                            const std::string& /*excludeNets*/,
                                            const std::string& /*algName*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::ThruHolePadShapes(int32_t /*filePos*/, int16_t /*topAll*/, int16_t /*bottomAll*/,
                                       int16_t /*topOne*/, int16_t /*bottomOne*/,
                                       const std::string& /*algName*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::AllowableComponentOrientation(int32_t /*filePos*/, int16_t /*top*/,
                                                   int16_t /*horizontal*/, const std::string& /*algName*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::BoardThicknessToDrillDiameter(int32_t /*filePos*/, double /*maxRatio*/,
                                                   const std::string& /*algName*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::AnnularRing(int32_t /*filePos*/, double /*padTop*/, double /*padBottom*/,
                                 double /*soldTop*/, double /*soldBottom*/, const std::string& /*algName*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::GerberThermalBarrelPlugCheck(int32_t /*filePos*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::TestPadDensityCheck(int32_t /*filePos*/, int16_t /*marginal*/, int16_t /*critical*/,
                                         double /*gridSize*/, bool /*addTPDensityAttrib*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::Pin1Orientation(int32_t /*filePos*/, int16_t /*top*/, int16_t /*bottom*/,
                                     bool /*thruHole*/, bool /*smd*/, int16_t /*ignoreCount*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::ComponentNotAllowedPerSurface(int32_t /*filePos*/, int16_t /*top*/, int16_t /*bottom*/,
                                                   const std::string& /*attribKeyword*/,
                                                   const std::string& /*attribValue*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::ComponentHeight(int32_t /*filePos*/, int16_t /*top*/, int16_t /*bottom*/,
                                     const std::string& /*heightKeyword*/, double /*topMarginalHeight*/,
                                     double /*topCriticalHeight*/, double /*bottomMarginalHeight*/,
                                     double /*bottomCriticalHeight*/) {
    return pendingCheck(session());
}

int16_t EmbeddedDfm::SMDSoldermaskClearance(int16_t /*geomNum*/, int16_t /*soldermaskGeomNum*/,
                                            double /*minXMargin*/, double /*minYMargin*/,
                                            const std::string& /*algName*/) {
    return pendingCheck(session());
}

} // namespace lumora::engine
