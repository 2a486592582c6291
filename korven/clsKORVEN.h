#pragma once

#include "korven/FileInfo.h"
#include "korven/KorvenRecords.h"
#include "korven/RunSettings.h"
#include "korven/UnitFactors.h"
#include "korvenapi/KorvenAutomation.h"
#include "log/DesignSummary.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace lumora {

class clsCCLayer;
class clsTestItem;
struct SoldermaskKind;
struct WrapperTraits;

// The runner's single gateway to KORVEN: the connection, the document model of visible panels and
// boards, and one wrapper per KORVEN operation. Wrappers never throw: they return KORVEN's 16-bit
// code (-999 without a connection or when the call itself failed) and leave its message in
// lastError, "" after success.
class clsKORVEN : public DesignSummarySource {
  public:
    clsKORVEN() = default;
    ~clsKORVEN() override;
    clsKORVEN(const clsKORVEN&) = delete;
    clsKORVEN& operator=(const clsKORVEN&) = delete;

    // --- connection ---
    bool openConnection(bool startNew, bool loadFiles, int32_t testUnits = 0);
    // Deletes the boards' soldermask geometries (kept in debug mode) and lets go of KORVEN.
    void closeConnection();
    bool isKORVENRunning() const;
    // The settings of the run that uses this connection; they last until the next run gives its own.
    void useRunSettings(RunSettings settings) { runSettings_ = std::move(settings); }
    const RunSettings& runSettings() const { return runSettings_; }
    double toPageUnits(double value) const;

    const std::string& lastError() const { return lastError_; }
    // KORVEN's own words for the failure behind lastError, "" when it gave none. lastError keeps
    // the fixed texts that the run log shows; these reach the user where no such text applies.
    const std::string& korvenDescription() const { return korvenDescription_; }
    // Keeps korvenDescription() for a failure a test reports; the list starts anew with every
    // connection.
    void keepReportedDescription();
    const std::vector<std::string>& reportedDescriptions() const { return reportedDescriptions_; }
    // What the last openConnection had to skip (boards of a panel it could not read), one line
    // each; the lines also went to the run log if one was open.
    const std::vector<std::string>& connectionWarnings() const { return connectionWarnings_; }
    const std::string& CurrentDocumentName() const { return CurrentDocumentName_; }
    int32_t lngPageUnits() const { return lngPageUnits_; }
    int32_t lngTestUnits() const { return lngTestUnits_; }

    // --- layers ---
    // Rebuilds the shared layer list; 0 after a normal end, -999 after a failure (written to the run log).
    int16_t loadLayers();
    int16_t getMaxElectricalStackup() const;

    // --- document model ---
    int16_t Panels_Lbound() const { return arrPanels_.lbound(); }
    int16_t Panels_Ubound() const { return arrPanels_.ubound(); }
    int16_t Panels_Count() const { return arrPanels_.count(); }
    int16_t Boards_Lbound() const { return arrBoards_.lbound(); }
    int16_t Boards_Ubound() const { return arrBoards_.ubound(); }
    int16_t Boards_Count() const { return arrBoards_.count(); }
    bool haveTestablePanels() const { return arrPanels_.count() >= 1; }
    bool haveTestableBoards() const { return arrBoards_.count() >= 1; }

    // Per entry; an index outside lbound..ubound throws RunnerError "Subscript out of range".
    std::string Panel_FileName(int32_t index) const { return arrPanels_.at(index).FileName; }
    int32_t Panel_Position(int32_t index) const { return arrPanels_.at(index).Position; }
    bool Panel_Visible(int32_t index) const { return arrPanels_.at(index).Visible; }
    int32_t Panel_GeomNum(int32_t index) const { return arrPanels_.at(index).GeomNum; }
    int16_t Panel_sViaGeom_topGeomNum(int32_t i) const { return arrPanels_.at(i).sViaGeom.topGeomNum; }
    int16_t Panel_sViaGeom_botGeomNum(int32_t i) const { return arrPanels_.at(i).sViaGeom.botGeomNum; }
    int16_t Panel_sPinGeom_topGeomNum(int32_t i) const { return arrPanels_.at(i).sPinGeom.topGeomNum; }
    int16_t Panel_sPinGeom_botGeomNum(int32_t i) const { return arrPanels_.at(i).sPinGeom.botGeomNum; }
    int16_t Panel_sTPGeom_topGeomNum(int32_t i) const { return arrPanels_.at(i).sTPGeom.topGeomNum; }
    int16_t Panel_sTPGeom_botGeomNum(int32_t i) const { return arrPanels_.at(i).sTPGeom.botGeomNum; }
    int16_t Panel_sFeatureGeom_topGeomNum(int32_t i) const {
        return arrPanels_.at(i).sFeatureGeom.topGeomNum;
    }
    int16_t Panel_sFeatureGeom_botGeomNum(int32_t i) const {
        return arrPanels_.at(i).sFeatureGeom.botGeomNum;
    }
    std::string Board_FileName(int32_t index) const { return arrBoards_.at(index).FileName; }
    int32_t Board_Position(int32_t index) const { return arrBoards_.at(index).Position; }
    bool Board_Visible(int32_t index) const { return arrBoards_.at(index).Visible; }
    int32_t Board_GeomNum(int32_t index) const { return arrBoards_.at(index).GeomNum; }
    int16_t Board_sViaGeom_topGeomNum(int32_t i) const { return arrBoards_.at(i).sViaGeom.topGeomNum; }
    int16_t Board_sViaGeom_botGeomNum(int32_t i) const { return arrBoards_.at(i).sViaGeom.botGeomNum; }
    int16_t Board_sPinGeom_topGeomNum(int32_t i) const { return arrBoards_.at(i).sPinGeom.topGeomNum; }
    int16_t Board_sPinGeom_botGeomNum(int32_t i) const { return arrBoards_.at(i).sPinGeom.botGeomNum; }
    int16_t Board_sTPGeom_topGeomNum(int32_t i) const { return arrBoards_.at(i).sTPGeom.topGeomNum; }
    int16_t Board_sTPGeom_botGeomNum(int32_t i) const { return arrBoards_.at(i).sTPGeom.botGeomNum; }
    int16_t Board_sFeatureGeom_topGeomNum(int32_t i) const {
        return arrBoards_.at(i).sFeatureGeom.topGeomNum;
    }
    int16_t Board_sFeatureGeom_botGeomNum(int32_t i) const {
        return arrBoards_.at(i).sFeatureGeom.botGeomNum;
    }

    // The head of the time log: counts of inserts per panel and board.
    DesignSummary designSummary() override;

    // --- soldermask geometries of the boards, built once per run for the tests that need them ---
    int16_t createSoldermaskGeom(clsTestItem& objTest);
    int16_t createTPSoldermaskGeom(const std::string& filename, int32_t filePos, bool top, int16_t sGeomNum,
                                   int16_t& geomNum);
    int16_t createViaSoldermaskGeom(const std::string& filename, int32_t filePos, bool top, int16_t sGeomNum,
                                    int16_t& geomNum);
    int16_t createPinSoldermaskGeom(const std::string& filename, int32_t filePos, bool top, int16_t sGeomNum,
                                    int16_t& geomNum);
    int16_t createFeatureSoldermaskGeom(const std::string& filename, int32_t filePos, bool top,
                                        int16_t sGeomNum, int16_t& geomNum);

    // --- wrappers on KORVEN.Application ---
    int16_t SaveDataFileAs(const std::string& filename);
    int16_t SetResponse(bool setOn = true);
    int16_t GetLayerInfo(int32_t lngNumber, std::string& lyrName, int16_t& lyrType, int16_t& lyrShow,
                         int16_t& lyrElectrical, int16_t& lyrPhysical, int16_t& lyrArtwork);
    int16_t SetLayerCurrentAttrib(int16_t layerNum);
    int16_t GetGeometry(int16_t geomNum, std::string& geomName);
    int16_t GetGeometryArrayByType(int16_t blockType, std::vector<int16_t>& geomArray);
    int16_t GetDataArrayByInsertType(int16_t geomNum, int16_t insertType, std::vector<int32_t>& insArray);
    int16_t GetDataInsert(int16_t geomNum, int32_t dataPos, KorvenInsertRecord& insert);
    int16_t GetFileGeometry(int32_t filePos, int16_t& geomNum);
    int16_t SetFileGeometry(int32_t filePos, int16_t geomNum);
    int16_t SetFileShow(int32_t filePos, bool setOn);
    int16_t DeleteByLayer(int16_t layerNum, bool removeLayerFromList);
    // Sets geomNum to 0 afterwards whatever KORVEN answers.
    int16_t DeleteGeometry(int16_t& geomNum);
    int16_t GetKeyword(int16_t keyWord, std::string& InKeyword, std::string& CCKeyword,
                       std::string& OutKeyword, int16_t& keywdType, bool& internal);
    int16_t GetAttribKeywordArray(std::vector<int16_t>& keywordArray);
    int16_t GetAttribValue(int16_t keyWord, std::string& Value);
    int16_t fitPageToImage();
    int16_t generateSMD();
    int16_t generatePinPitch();
    int16_t dfmClearAllDRCs();
    int16_t dfmCreateDFxOutline(int16_t geomNum, int16_t Algorithm, bool overWrite);
    int16_t Redraw();

    // --- wrappers on KORVEN.DFM; lengths are in the script's units ---
    int16_t dfmFilterGeometry(int16_t geomNum, const std::string& keyWord, const std::string& Value,
                              int32_t comparisonType);
    int16_t dfmGenerateDFxOutlines();
    int16_t dfmGenerateEtchBlockers(double maxPinPitch, int16_t& topLayerNumber, int16_t& bottomLayerNumber);
    int16_t dfmCombinePolies(int16_t geomNum);
    int16_t dfmCreateFlattenGeometry(int32_t filePos, int16_t& geomNum);
    int16_t dfmFlattenLayer(int16_t geomNum, int16_t layerNum, bool TopLevelOnly = false);
    int16_t dfmFlattenByInserttype(int16_t geomNum, int16_t layerNum, int16_t insType, bool insertPointOnly,
                                   int16_t surface = 3);
    int16_t dfmFlattenByGraphicClass(int16_t geomNum, int16_t layerNum, int16_t graphicClass,
                                     bool TopLevelOnly);
    int16_t dfmFlattenByAttrib(int16_t geomNum, int16_t layerNum, const std::string& keyWord,
                               const std::string& Value, int16_t insertType, int32_t comparisonType,
                               bool insertPointOnly, int16_t surface = 3);
    int16_t dfmFlattenTestpoints(int16_t geomNum, int16_t layerNum, bool insertPointOnly);
    int16_t dfmFlattenGoldFingers(int16_t geomNum, int16_t layerNum, const std::string& pkgKeyword,
                                  const std::string& pkgValue);
    int16_t dfmDistanceCheck(int16_t geomNum1, int16_t geomNum2, double marginal, double critical,
                             const std::string& algName, int16_t algType, bool CanTouch, bool SkipSameNets,
                             bool OneDRCPerNet, bool SkipSameComps = false);
    int16_t dfmDistanceCheckDiffNets(int16_t geomNum, double acceptable, double marginal, double critical,
                                     const std::string& algName, int16_t algType,
                                     const std::string& lyrSuffix, bool AttribOverride, bool CanTouch);
    int16_t dfmComponentShadow(double acceptableLt, double acceptableRt, double acceptableTop,
                               double acceptableBot, double marginalLeft, double marginalRight,
                               double marginalTop, double marginalBottom, double criticalLeft,
                               double criticalRight, double criticalTop, double criticalBottom);
    int16_t dfmPanelDimensions(int32_t filePos, double minWidth, double maxWidth, double minHeight,
                               double maxHeight, const std::string& algName);
    int16_t dfmAllComponentsClearanceToPanelEdge(int16_t geomNum, double minRailEdge, double minNonRailEdge);
    int16_t dfmFiducialClearanceToPanelEdge(int16_t geomNum, double minRailEdge, double minNonRailEdge);
    int16_t dfmItemsInCorners(int16_t geomNum, double minRailEdge, double maxRailEdge, double minNonRailEdge,
                              double maxNonRailEdge, int16_t minCorners, const std::string& algName,
                              int16_t surface);
    int16_t dfmPanelLengthToWidthRatio(int32_t filePos, double minRatio);
    int16_t dfmComponentFlushWithEdge(int16_t geomNum, double maxDistance, const std::string& algName);
    int16_t dfmTestpointsPerNet(int16_t geomNum, int16_t minTestpoints, const std::string& algName);
    int16_t dfmExposedTestpointPadSize(int16_t geomNum, double minSize, double maxSize,
                                       const std::string& algName);
    int16_t dfmViaUnderPart(int16_t geomNum1, int16_t geomNum2, const std::string& algName);
    int16_t dfmViaHoleSize(int32_t filePos, double minSize, double maxSize, double ignoreHoleSize);
    int16_t dfmViaPadSize(int32_t filePos, double topMinSize, double topMaxSize, double bottomMinSize,
                          double bottomMaxSize, double ignoreHoleSize);
    int16_t dfmRouteTraceWidthMinimum(int16_t geomNum, double marginal, double critical,
                                      const std::string& excludeNets, const std::string& algName);
    int16_t dfmThruHolePadShapes(int32_t filePos, const std::string& topAll, const std::string& bottomAll,
                                 const std::string& topOne, const std::string& bottomOne,
                                 const std::string& algName);
    int16_t dfmAllowableComponentOrientation(int32_t filePos, bool top, bool horizontal,
                                             const std::string& algName);
    int16_t dfmBoardThicknessToDrillDiameter(int32_t filePos, double maxRatio, const std::string& algName);
    int16_t dfmAnnularRing(int32_t filePos, double padTop, double padBottom, double soldTop,
                           double soldBottom, const std::string& algName);
    int16_t dfmGerberThermalBarrelPlugCheck(int32_t filePos);
    int16_t dfmTestpadDensityCheck(int32_t filePosition, int16_t marginal, int16_t critical, double gridSize,
                                   bool addTPDensityAttrib);
    int16_t dfmPin1OrientationCheck(int32_t filePosition, bool top, bool bottom, bool thruHole, bool smd,
                                    int16_t ignoreCount);
    int16_t dfmCompsNotAllowed(int32_t filePosition, bool top, bool bottom, const std::string& attribKeyword,
                               const std::string& attribValue);
    int16_t dfmCompHeight(int32_t filePosition, bool top, bool bottom,
                          const std::string& componentHeightAttributeKeyword, double topMarginalHeight,
                          double topCriticalHeight, double bottomMarginalHeight, double bottomCriticalHeight);
    int16_t dfmSMDSoldermaskClearance(int16_t geomNum, int16_t soldermaskGeomNum, double minXMargin,
                                      double minYMargin, const std::string& algName);
    int16_t dfmProcessSolderMask(int16_t soldermaskGeomNum, int16_t copperGeomNum);
    int16_t dfmSetMaxErrorsForTest(int16_t drcLimit);

  private:
    // The common pattern of every wrapper: timer, lastError, -999 without the object, failure forms.
    template <class Object, class Call, class... Args>
    int16_t callKorven(const WrapperTraits& traits, const std::shared_ptr<Object>& object, Call&& call,
                       const Args&... arguments);

    // openConnection's steps; each throws its refusal.
    void createObjects(bool startNew);
    void readDocumentHeader(int32_t testUnits);
    void loadFiles();
    std::vector<FileInfo> readFiles(const std::vector<int32_t>& fileNumbers, int32_t& filesShown);
    void addBoardsPlacedInPanels(const std::vector<FileInfo>& allFiles, int32_t& filesShown);

    // loadLayers' pieces.
    void readLayerAttributes(int32_t layerNumber, clsCCLayer& layer, int16_t& status);

    // The insert counts of the time log's head; 0 when KORVEN cannot tell.
    int32_t countInserts(int32_t geomNum, int16_t insertType, std::vector<int32_t>* inserts = nullptr);
    int32_t countPins(int32_t boardGeomNum, const std::vector<int32_t>& components);
    RunSettings runSettings_;
    std::string summaryGap_; // the first count query of designSummary that failed
    std::vector<std::string> connectionWarnings_;
    void warnSkipped(const std::string& panelName, const char* call, int16_t code);
    void warn(std::string warning);

    // The soldermask geometries of one board for one test.
    void buildSoldermaskGeometries(FileInfo& board, clsTestItem& objTest);
    void buildGenericSoldermask(FileInfo& board);
    using SoldermaskBuilder = int16_t (clsKORVEN::*)(const std::string&, int32_t, bool, int16_t, int16_t&);
    void buildMissingPair(const FileInfo& board, GeomPair& pair, SoldermaskBuilder build);
    int16_t buildSoldermaskGeom(const SoldermaskKind& kind, const std::string& filename, int32_t filePos,
                                bool top, int16_t sGeomNum, int16_t& geomNum);

    std::shared_ptr<KorvenApplication> objApplication_;
    std::shared_ptr<KorvenDfm> objDFM_;
    std::string lastError_;
    std::string korvenDescription_;
    std::vector<std::string> reportedDescriptions_;
    int32_t lngTestUnits_ = 0;
    std::string CurrentDocumentName_;
    FileList arrPanels_;
    FileList arrBoards_;
    int32_t lngPageUnits_ = 0;
    UnitFactorTable dblUnitFactor_ = kUnitFactors;
};

} // namespace lumora
