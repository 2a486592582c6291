#pragma once

#include "engine/session/Session.h"
#include "korvenapi/KorvenAutomation.h"

#include <memory>

namespace lumora::engine {

// "KORVEN.Application" of the embedded KORVEN. Its methods are spread over one source file per
// group: document and files, layers and attributes, geometries, commands.
class EmbeddedApplication : public KorvenApplication {
  public:
    explicit EmbeddedApplication(std::shared_ptr<Session> session) : session_(std::move(session)) {}

    // Document and files (ApplicationDocument.cpp)
    int16_t GetAPIVersion(int16_t& major, int16_t& minor) override;
    int16_t GetActiveDocument(int32_t& docId) override;
    void GetDocument(int32_t docId, std::string& name) override;
    void GetPageUnits(std::string& units) override;
    int16_t GetFileArray(std::vector<int32_t>& files) override;
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
    std::string GetLastErrorDescription() override { return session().lastFailure(); }

    // Layers and attributes (ApplicationLayers.cpp)
    int16_t GetLayer3(int16_t layer, std::string& name, int16_t& type, int16_t& show, int16_t& color,
                      std::string& description, int16_t& fillStyle, int16_t& lineStyle, int16_t& lineWidth,
                      int16_t& penNumber) override;
    void GetLayerStackup(int16_t layer, int16_t& electrical, int16_t& physical, int16_t& artwork) override;
    int16_t SetLayerCurrentAttrib(int16_t layerNum) override;
    int16_t DeleteByLayer(int16_t layerNum, bool removeLayerFromList) override;
    int16_t GetKeyword(int16_t keyWord, std::string& inKeyword, std::string& ccKeyword,
                       std::string& outKeyword, int16_t& keywdType, bool& internal) override;
    int16_t GetAttribKeywordArray(std::vector<int16_t>& keywords) override;
    int16_t GetAttribValue(int16_t keyWord, std::string& value) override;

    // Geometries (ApplicationGeometries.cpp)
    int16_t GetGeometry(int16_t geomNum, std::string& geomName, int16_t& blockType,
                        int16_t& itemCount) override;
    int16_t GetGeometryArrayByType(int16_t blockType, std::vector<int16_t>& geoms) override;
    int16_t SetFileGeometry(int32_t filePos, int16_t geomNum) override;
    int16_t SetFileShow(int32_t filePos, bool setOn) override;
    int16_t DeleteGeometry(int16_t geomNum) override;

    // Commands (ApplicationCommands.cpp)
    int16_t IssueCommand(int32_t command) override;
    int16_t ClearAllDRCs() override;
    int16_t dfmCreateDFxOutline(int16_t geomNum, int16_t algorithm, bool overWrite) override;

  private:
    Session& session() const { return *session_; }

    std::shared_ptr<Session> session_;
};

} // namespace lumora::engine
