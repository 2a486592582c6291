#pragma once

#include "korvenapi/AutomationRegistry.h"
#include "korvenapi/KorvenAutomation.h"

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace lumora::test {

// A file of the document as GetFile2 reports it.
struct ScriptedFile {
    int32_t number = 0;
    std::string name{};
    bool show = true;
    int16_t blockType = 1; // 1 board, 8 panel
    int16_t geomNum = 0;
};

// A layer as GetLayer3 reports it; code -14 makes it a hole in the numbering.
struct ScriptedLayer {
    std::string name{};
    int16_t type = 0;
    int16_t show = 1;
    int16_t electrical = 0;
    int16_t physical = 0;
    int16_t artwork = 0;
    std::vector<std::pair<std::string, std::string>> attributes{}; // keyword, value
    int16_t code = 0;
};

// A callback event fired while a check runs.
struct ScriptedEvent {
    std::string keyWord = "DRC Added";
    std::string value{};
};

// Both KORVEN objects in one double. Every call is recorded as one line of text, inputs in
// parentheses and what KORVEN wrote back in brackets:
//   GetFile2(3) -> 0 [name="board.cc", show=1, type=1, geom=12]
// A scripted failure records "Name(args) !! description" and throws AutomationError. Callback
// events fired during a check are recorded as indented lines before the check's code is known.
class RecordingKorven : public KorvenApplication, public KorvenDfm, public AutomationProvider {
  public:
    // --- the scripted document ---
    int16_t versionMajor = 1;
    int16_t versionMinor = 48;
    int32_t activeDocument = 1;
    std::string documentName = "design.cc";
    std::string pageUnits = "Inches";
    std::vector<ScriptedFile> files;
    std::vector<ScriptedLayer> layers; // index = KORVEN layer number; past the end is -8
    std::map<int16_t, std::string> geometryNames;
    int16_t nextGeomNum = 100; // createFlattenGeometry hands out numbers from here
    int16_t etchBlockerTop = 0;
    int16_t etchBlockerBottom = 0;
    bool running = true;
    bool servesApplication = true;
    bool servesDfm = true;

    void addInsert(int16_t parentGeom, int16_t insertType, int32_t dataPos, int16_t insGeomNum);
    // The next call of method returns code instead of its natural one (queued in order).
    void queueCode(const std::string& method, int16_t code);
    // Every call of method returns code from now on.
    void setCode(const std::string& method, int16_t code);
    // Every call of method throws AutomationError(description) from now on.
    void failOn(const std::string& method, const std::string& description);
    // Events fired during the next check that is called (one list per check, in order).
    void queueDrcs(std::vector<ScriptedEvent> events);

    // --- what was recorded ---
    const std::vector<std::string>& calls() const { return calls_; }
    std::string trace() const; // the calls, one per line
    void clearCalls() { calls_.clear(); }
    bool responseOn() const { return response_ != nullptr; }
    int16_t drcLimit() const { return maxErrors_; }

    // --- AutomationProvider ---
    std::shared_ptr<AutomationObject> createObject(std::string_view progId) override;
    bool isRunning() const override { return running; }

    // --- KORVEN.Application ---
    int16_t GetAPIVersion(int16_t& major, int16_t& minor) override;
    int16_t GetActiveDocument(int32_t& docId) override;
    void GetDocument(int32_t docId, std::string& name) override;
    void GetPageUnits(std::string& units) override;
    int16_t GetFileArray(std::vector<int32_t>& fileNumbers) override;
    int16_t GetFile2(int32_t fileNumber, std::string& name, int16_t& fileType, bool& show, float& x, float& y,
                     float& scale, float& rotation, int16_t& mirror, int16_t& blockType,
                     int16_t& geomNum) override;
    int16_t GetDataArrayByInsertType(int16_t geomNum, int16_t insertType,
                                     std::vector<int32_t>& inserts) override;
    int16_t GetDataInsert(int16_t geomNum, int32_t dataPos, int16_t& insGeomNum, float& insX, float& insY,
                          float& insScale, float& insRotation, int16_t& insMirror, int16_t& insertType,
                          std::string& refName) override;
    void AutoRedraw(bool on) override;
    int16_t Redraw() override;
    int16_t SaveDataFileAs(const std::string& filename) override;
    int16_t TurnOnResponse(const std::string& progId) override;
    int16_t TurnOffResponseByID(const std::string& progId) override;
    int16_t GetLayer3(int16_t layer, std::string& name, int16_t& type, int16_t& show, int16_t& color,
                      std::string& description, int16_t& fillStyle, int16_t& lineStyle, int16_t& lineWidth,
                      int16_t& penNumber) override;
    void GetLayerStackup(int16_t layer, int16_t& electrical, int16_t& physical, int16_t& artwork) override;
    int16_t SetLayerCurrentAttrib(int16_t layerNum) override;
    int16_t GetGeometry(int16_t geomNum, std::string& geomName, int16_t& blockType,
                        int16_t& itemCount) override;
    int16_t GetGeometryArrayByType(int16_t blockType, std::vector<int16_t>& geoms) override;
    int16_t SetFileGeometry(int32_t filePos, int16_t geomNum) override;
    int16_t SetFileShow(int32_t filePos, bool setOn) override;
    int16_t DeleteByLayer(int16_t layerNum, bool removeLayerFromList) override;
    int16_t DeleteGeometry(int16_t geomNum) override;
    int16_t GetKeyword(int16_t keyWord, std::string& inKeyword, std::string& ccKeyword,
                       std::string& outKeyword, int16_t& keywdType, bool& internal) override;
    int16_t GetAttribKeywordArray(std::vector<int16_t>& keywords) override;
    int16_t GetAttribValue(int16_t keyWord, std::string& value) override;
    int16_t IssueCommand(int32_t command) override;
    int16_t ClearAllDRCs() override;
    int16_t dfmCreateDFxOutline(int16_t geomNum, int16_t algorithm, bool overWrite) override;

    // --- KORVEN.DFM ---
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
    int16_t Check(const DfmCheckCall& check) override;
    int16_t ProcessSolderMask(int16_t soldermaskGeomNum, int16_t copperGeomNum) override;
    int16_t maxErrorsPerTest() const override { return maxErrors_; }
    void setMaxErrorsPerTest(int16_t limit) override;

  private:
    struct Insert {
        int16_t insGeomNum = 0;
        int16_t insertType = 0;
    };

    // Records "method(args)" (throwing a scripted failure) and returns the line's index.
    std::size_t begin(const std::string& method, const std::string& args);
    // Completes the line with the code and the written-back values; returns the code to give.
    int16_t finish(std::size_t line, const std::string& method, int16_t natural,
                   const std::string& outs = "");
    // A check: records it, fires the queued events, honours the DRC limit.
    int16_t check(const std::string& method, const std::string& args);
    const ScriptedFile* findFile(int32_t number) const;
    const ScriptedLayer* findLayer(int16_t number) const;
    int16_t keywordNumber(const std::string& keyword);

    std::vector<std::string> calls_;
    std::map<std::string, std::deque<int16_t>> queuedCodes_;
    std::map<std::string, int16_t> fixedCodes_;
    std::map<std::string, std::string> failures_;
    std::deque<std::vector<ScriptedEvent>> queuedDrcs_;
    std::map<std::pair<int16_t, int16_t>, std::vector<int32_t>> insertsByType_;
    std::map<std::pair<int16_t, int32_t>, Insert> inserts_;
    std::vector<std::string> keywords_; // keyword number k is keywords_[k - 1]
    std::shared_ptr<ResponseCallback> response_;
    int16_t currentAttribLayer_ = -1;
    int16_t maxErrors_ = 0;
};

} // namespace lumora::test
