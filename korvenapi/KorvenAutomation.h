#pragma once

// KORVEN's two automation objects and the callback it raises, as the runner calls them.
// Every method but AutoRedraw, GetLayerStackup, GetDocument and GetPageUnits returns KORVEN's
// 16-bit code: 0 success, 1 the DRC limit of the check was reached, negative an error.
// Arguments passed by non-const reference are written back by KORVEN; "variant arrays" are vectors.
// A call that cannot be carried out at all (server gone, broken call) throws AutomationError.

#include "korvenapi/DfmChecks.h"   // the checks of KORVEN.DFM and their arguments
#include "korvenapi/KorvenCodes.h" // the numbers its methods take and answer

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace lumora {

// The automation call itself failed, as opposed to KORVEN answering with an error code.
class AutomationError : public std::runtime_error {
  public:
    explicit AutomationError(const std::string& description) : std::runtime_error(description) {}
    std::string description() const { return what(); }
};

// Common base of everything created by ProgID, so that a registry can hand out either object.
class AutomationObject {
  public:
    virtual ~AutomationObject() = default;
};

// "KORVEN.Application": the document, its files, layers, attributes and commands.
class KorvenApplication : public virtual AutomationObject {
  public:
    // Writes the interface version, major then minor.
    virtual int16_t GetAPIVersion(int16_t& major, int16_t& minor) = 0;
    // Writes the id of the active document, 0 when none is loaded.
    virtual int16_t GetActiveDocument(int32_t& docId) = 0;
    // Writes the name of document docId.
    virtual void GetDocument(int32_t docId, std::string& name) = 0;
    // Writes the page unit name: "Inches", "Mils", "mm", "HP Plotter" or "10 nm".
    virtual void GetPageUnits(std::string& units) = 0;
    // Writes the file numbers of the document's files.
    virtual int16_t GetFileArray(std::vector<int32_t>& files) = 0;
    // Writes file fileNumber's name, type, visibility, placement, block type (1 board, 8 panel)
    // and the number of its block.
    virtual int16_t GetFile2(int32_t fileNumber, std::string& name, int16_t& fileType, bool& show, float& x,
                             float& y, float& scale, float& rotation, int16_t& mirror, int16_t& blockType,
                             int16_t& geomNum) = 0;
    // Writes the data positions of geometry geomNum's inserts of insertType (6 boards in a panel).
    virtual int16_t GetDataArrayByInsertType(int16_t geomNum, int16_t insertType,
                                             std::vector<int32_t>& inserts) = 0;
    // Writes the insert at dataPos of geometry geomNum: the geometry it places and its placement.
    virtual int16_t GetDataInsert(int16_t geomNum, int32_t dataPos, int16_t& insGeomNum, float& insX,
                                  float& insY, float& insScale, float& insRotation, int16_t& insMirror,
                                  int16_t& insertType, std::string& refName) = 0;
    // Turns redrawing after every change on or off.
    virtual void AutoRedraw(bool on) = 0;
    virtual int16_t Redraw() = 0;
    virtual int16_t SaveDataFileAs(const std::string& filename) = 0;
    // Starts or stops calling Response of the class registered under progId for every DRC placed.
    virtual int16_t TurnOnResponse(const std::string& progId) = 0;
    virtual int16_t TurnOffResponseByID(const std::string& progId) = 0;
    // KORVEN's own words for the last call that failed, "" when it has none: a return code only
    // names the kind of failure. A KORVEN that keeps no such words answers "".
    virtual std::string GetLastErrorDescription() { return {}; }
    // Writes layer's name, type and show flag, then six values the runner does not use;
    // -14 for a hole in the layer numbering, -8 past the last layer.
    virtual int16_t GetLayer3(int16_t layer, std::string& name, int16_t& type, int16_t& show, int16_t& color,
                              std::string& description, int16_t& fillStyle, int16_t& lineStyle,
                              int16_t& lineWidth, int16_t& penNumber) = 0;
    // Writes layer's electrical, physical and artwork stack-up numbers.
    virtual void GetLayerStackup(int16_t layer, int16_t& electrical, int16_t& physical, int16_t& artwork) = 0;
    // Makes layerNum the layer whose attributes GetAttribKeywordArray and GetAttribValue read.
    virtual int16_t SetLayerCurrentAttrib(int16_t layerNum) = 0;
    // Writes geometry geomNum's name and two values the runner does not use.
    virtual int16_t GetGeometry(int16_t geomNum, std::string& geomName, int16_t& blockType,
                                int16_t& itemCount) = 0;
    // Writes the numbers of the geometries of blockType.
    virtual int16_t GetGeometryArrayByType(int16_t blockType, std::vector<int16_t>& geoms) = 0;
    // Shows geometry geomNum in place of file filePos's own block; -1 gives the file its own back.
    virtual int16_t SetFileGeometry(int32_t filePos, int16_t geomNum) = 0;
    virtual int16_t SetFileShow(int32_t filePos, bool setOn) = 0;
    virtual int16_t DeleteByLayer(int16_t layerNum, bool removeLayerFromList) = 0;
    virtual int16_t DeleteGeometry(int16_t geomNum) = 0;
    // Writes keyword number keyWord's input, document and output names, its type and whether it is
    // internal.
    virtual int16_t GetKeyword(int16_t keyWord, std::string& inKeyword, std::string& ccKeyword,
                               std::string& outKeyword, int16_t& keywdType, bool& internal) = 0;
    // Writes the keyword numbers of the current attribute holder's attributes.
    virtual int16_t GetAttribKeywordArray(std::vector<int16_t>& keywords) = 0;
    // Writes the current attribute holder's value of keyword number keyWord.
    virtual int16_t GetAttribValue(int16_t keyWord, std::string& value) = 0;
    // 33309 fit page to image, 33201 generate SMD data, 601 generate pin pitch data.
    virtual int16_t IssueCommand(int32_t command) = 0;
    virtual int16_t ClearAllDRCs() = 0;
    virtual int16_t dfmCreateDFxOutline(int16_t geomNum, int16_t algorithm, bool overWrite) = 0;
};

// "KORVEN.DFM": flattening into geometries and the DFM checks. Flags passed as int16_t are 1 or 0.
// Lengths arrive in page units.
class KorvenDfm : public virtual AutomationObject {
  public:
    // Keeps in geomNum only the items whose attribute keyWord compares with value.
    virtual int16_t FilterGeometry(int16_t geomNum, const std::string& keyWord, const std::string& value,
                                   int32_t comparisonType) = 0;
    virtual int16_t GenerateDFxOutlines() = 0;
    // Writes the numbers of the top and bottom etch-blocker layers it created.
    virtual int16_t GenerateEtchBlockers(double maxPinPitch, int16_t& topLayerNumber,
                                         int16_t& bottomLayerNumber) = 0;
    virtual int16_t CombinePolies(int16_t geomNum) = 0;
    // Writes the number of a new, empty geometry for file filePos.
    virtual int16_t createFlattenGeometry(int32_t filePos, int16_t& geomNum) = 0;
    virtual int16_t Flatten(int16_t geomNum, int16_t layerNum, bool topLevelOnly) = 0;
    virtual int16_t flattenByInsertType(int16_t geomNum, int16_t layerNum, int16_t insType,
                                        int16_t insertPointOnly, int16_t surface) = 0;
    virtual int16_t flattenByGraphicClass(int16_t geomNum, int16_t layerNum, int16_t graphicClass,
                                          int16_t topLevelOnly) = 0;
    virtual int16_t FlattenByAttrib(int16_t geomNum, int16_t layerNum, const std::string& keyWord,
                                    const std::string& value, int32_t comparisonType, int16_t insertType,
                                    int16_t insertPointOnly, int16_t surface) = 0;
    // Performs one check (korvenapi/DfmChecks.h) and places a DRC marker per violation.
    virtual int16_t Check(const DfmCheckCall& check) = 0;
    // Keeps in copperGeomNum what soldermask geometry soldermaskGeomNum leaves open.
    virtual int16_t ProcessSolderMask(int16_t soldermaskGeomNum, int16_t copperGeomNum) = 0;

    // The DRC limit of every later check; a check that reaches it stops and returns 1.
    virtual int16_t maxErrorsPerTest() const = 0;
    virtual void setMaxErrorsPerTest(int16_t limit) = 0;
};

// The runner's class "Quillmark.Response". KORVEN calls Response("DRC Added", "Marginal" or
// "Critical") once per DRC marker it places while the response is on.
class ResponseCallback {
  public:
    virtual ~ResponseCallback() = default;
    virtual void Response(const std::string& keyWord, const std::string& Value) = 0;
};

} // namespace lumora
