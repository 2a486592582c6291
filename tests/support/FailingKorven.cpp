#include "tests/support/FailingKorven.h"

#include "korvenapi/KorvenAutomation.h"

#include <csignal>
#include <type_traits>
#include <utility>

namespace lumora {

namespace {

// Both interfaces over whichever real object it wraps; a call to the other one fails as a broken
// call would.
class FaultyObject : public KorvenApplication, public KorvenDfm {
  public:
    FaultyObject(std::shared_ptr<AutomationObject> real, std::shared_ptr<FaultRecord> record)
        : real_(std::move(real)), application_(dynamic_cast<KorvenApplication*>(real_.get())),
          dfm_(dynamic_cast<KorvenDfm*>(real_.get())), record_(std::move(record)) {}

    // --- KorvenApplication ---
    int16_t GetAPIVersion(int16_t& major, int16_t& minor) override {
        return call<int16_t>("GetAPIVersion", [&] { return application()->GetAPIVersion(major, minor); });
    }
    int16_t GetActiveDocument(int32_t& docId) override {
        return call<int16_t>("GetActiveDocument", [&] { return application()->GetActiveDocument(docId); });
    }
    void GetDocument(int32_t docId, std::string& name) override {
        return call<void>("GetDocument", [&] { return application()->GetDocument(docId, name); });
    }
    void GetPageUnits(std::string& units) override {
        return call<void>("GetPageUnits", [&] { return application()->GetPageUnits(units); });
    }
    int16_t GetFileArray(std::vector<int32_t>& files) override {
        return call<int16_t>("GetFileArray", [&] { return application()->GetFileArray(files); });
    }
    int16_t GetFile2(int32_t fileNumber, std::string& name, int16_t& fileType, bool& show, float& x, float& y,
                     float& scale, float& rotation, int16_t& mirror, int16_t& blockType,
                     int16_t& geomNum) override {
        return call<int16_t>("GetFile2", [&] {
            return application()->GetFile2(fileNumber, name, fileType, show, x, y, scale, rotation, mirror,
                                           blockType, geomNum);
        });
    }
    int16_t GetDataArrayByInsertType(int16_t geomNum, int16_t insertType,
                                     std::vector<int32_t>& inserts) override {
        return call<int16_t>("GetDataArrayByInsertType", [&] {
            return application()->GetDataArrayByInsertType(geomNum, insertType, inserts);
        });
    }
    int16_t GetDataInsert(int16_t geomNum, int32_t dataPos, int16_t& insGeomNum, float& insX, float& insY,
                          float& insScale, float& insRotation, int16_t& insMirror, int16_t& insertType,
                          std::string& refName) override {
        return call<int16_t>("GetDataInsert", [&] {
            return application()->GetDataInsert(geomNum, dataPos, insGeomNum, insX, insY, insScale,
                                                insRotation, insMirror, insertType, refName);
        });
    }
    void AutoRedraw(bool on) override {
        return call<void>("AutoRedraw", [&] { return application()->AutoRedraw(on); });
    }
    int16_t Redraw() override {
        return call<int16_t>("Redraw", [&] { return application()->Redraw(); });
    }
    int16_t SaveDataFileAs(const std::string& filename) override {
        return call<int16_t>("SaveDataFileAs", [&] { return application()->SaveDataFileAs(filename); });
    }
    int16_t TurnOnResponse(const std::string& progId) override {
        return call<int16_t>("TurnOnResponse", [&] { return application()->TurnOnResponse(progId); });
    }
    int16_t TurnOffResponseByID(const std::string& progId) override {
        return call<int16_t>("TurnOffResponseByID",
                             [&] { return application()->TurnOffResponseByID(progId); });
    }
    int16_t GetLayer3(int16_t layer, std::string& name, int16_t& type, int16_t& show, int16_t& color,
                      std::string& description, int16_t& fillStyle, int16_t& lineStyle, int16_t& lineWidth,
                      int16_t& penNumber) override {
        return call<int16_t>("GetLayer3", [&] {
            return application()->GetLayer3(layer, name, type, show, color, description, fillStyle, lineStyle,
                                            lineWidth, penNumber);
        });
    }
    void GetLayerStackup(int16_t layer, int16_t& electrical, int16_t& physical, int16_t& artwork) override {
        return call<void>("GetLayerStackup", [&] {
            return application()->GetLayerStackup(layer, electrical, physical, artwork);
        });
    }
    int16_t SetLayerCurrentAttrib(int16_t layerNum) override {
        return call<int16_t>("SetLayerCurrentAttrib",
                             [&] { return application()->SetLayerCurrentAttrib(layerNum); });
    }
    int16_t GetGeometry(int16_t geomNum, std::string& geomName, int16_t& blockType,
                        int16_t& itemCount) override {
        return call<int16_t>("GetGeometry", [&] {
            return application()->GetGeometry(geomNum, geomName, blockType, itemCount);
        });
    }
    int16_t GetGeometryArrayByType(int16_t blockType, std::vector<int16_t>& geoms) override {
        return call<int16_t>("GetGeometryArrayByType",
                             [&] { return application()->GetGeometryArrayByType(blockType, geoms); });
    }
    int16_t SetFileGeometry(int32_t filePos, int16_t geomNum) override {
        return call<int16_t>("SetFileGeometry",
                             [&] { return application()->SetFileGeometry(filePos, geomNum); });
    }
    int16_t SetFileShow(int32_t filePos, bool setOn) override {
        return call<int16_t>("SetFileShow", [&] { return application()->SetFileShow(filePos, setOn); });
    }
    int16_t DeleteByLayer(int16_t layerNum, bool removeLayerFromList) override {
        return call<int16_t>("DeleteByLayer",
                             [&] { return application()->DeleteByLayer(layerNum, removeLayerFromList); });
    }
    int16_t DeleteGeometry(int16_t geomNum) override {
        return call<int16_t>("DeleteGeometry", [&] { return application()->DeleteGeometry(geomNum); });
    }
    int16_t GetKeyword(int16_t keyWord, std::string& inKeyword, std::string& ccKeyword,
                       std::string& outKeyword, int16_t& keywdType, bool& internal) override {
        return call<int16_t>("GetKeyword", [&] {
            return application()->GetKeyword(keyWord, inKeyword, ccKeyword, outKeyword, keywdType, internal);
        });
    }
    int16_t GetAttribKeywordArray(std::vector<int16_t>& keywords) override {
        return call<int16_t>("GetAttribKeywordArray",
                             [&] { return application()->GetAttribKeywordArray(keywords); });
    }
    int16_t GetAttribValue(int16_t keyWord, std::string& value) override {
        return call<int16_t>("GetAttribValue", [&] { return application()->GetAttribValue(keyWord, value); });
    }
    int16_t IssueCommand(int32_t command) override {
        return call<int16_t>("IssueCommand", [&] { return application()->IssueCommand(command); });
    }
    int16_t ClearAllDRCs() override {
        return call<int16_t>("ClearAllDRCs", [&] { return application()->ClearAllDRCs(); });
    }
    int16_t dfmCreateDFxOutline(int16_t geomNum, int16_t algorithm, bool overWrite) override {
        return call<int16_t>("dfmCreateDFxOutline", [&] {
            return application()->dfmCreateDFxOutline(geomNum, algorithm, overWrite);
        });
    }
    // --- KorvenDfm ---
    int16_t FilterGeometry(int16_t geomNum, const std::string& keyWord, const std::string& value,
                           int32_t comparisonType) override {
        return call<int16_t>("FilterGeometry",
                             [&] { return dfm()->FilterGeometry(geomNum, keyWord, value, comparisonType); });
    }
    int16_t GenerateDFxOutlines() override {
        return call<int16_t>("GenerateDFxOutlines", [&] { return dfm()->GenerateDFxOutlines(); });
    }
    int16_t GenerateEtchBlockers(double maxPinPitch, int16_t& topLayerNumber,
                                 int16_t& bottomLayerNumber) override {
        return call<int16_t>("GenerateEtchBlockers", [&] {
            return dfm()->GenerateEtchBlockers(maxPinPitch, topLayerNumber, bottomLayerNumber);
        });
    }
    int16_t CombinePolies(int16_t geomNum) override {
        return call<int16_t>("CombinePolies", [&] { return dfm()->CombinePolies(geomNum); });
    }
    int16_t createFlattenGeometry(int32_t filePos, int16_t& geomNum) override {
        return call<int16_t>("createFlattenGeometry",
                             [&] { return dfm()->createFlattenGeometry(filePos, geomNum); });
    }
    int16_t Flatten(int16_t geomNum, int16_t layerNum, bool topLevelOnly) override {
        return call<int16_t>("Flatten", [&] { return dfm()->Flatten(geomNum, layerNum, topLevelOnly); });
    }
    int16_t flattenByInsertType(int16_t geomNum, int16_t layerNum, int16_t insType, int16_t insertPointOnly,
                                int16_t surface) override {
        return call<int16_t>("flattenByInsertType", [&] {
            return dfm()->flattenByInsertType(geomNum, layerNum, insType, insertPointOnly, surface);
        });
    }
    int16_t flattenByGraphicClass(int16_t geomNum, int16_t layerNum, int16_t graphicClass,
                                  int16_t topLevelOnly) override {
        return call<int16_t>("flattenByGraphicClass", [&] {
            return dfm()->flattenByGraphicClass(geomNum, layerNum, graphicClass, topLevelOnly);
        });
    }
    int16_t FlattenByAttrib(int16_t geomNum, int16_t layerNum, const std::string& keyWord,
                            const std::string& value, int32_t comparisonType, int16_t insertType,
                            int16_t insertPointOnly, int16_t surface) override {
        return call<int16_t>("FlattenByAttrib", [&] {
            return dfm()->FlattenByAttrib(geomNum, layerNum, keyWord, value, comparisonType, insertType,
                                          insertPointOnly, surface);
        });
    }
    int16_t Check(const DfmCheckCall& check) override {
        return call<int16_t>(dfmCheckName(check), [&] { return dfm()->Check(check); });
    }
    int16_t ProcessSolderMask(int16_t soldermaskGeomNum, int16_t copperGeomNum) override {
        return call<int16_t>("ProcessSolderMask",
                             [&] { return dfm()->ProcessSolderMask(soldermaskGeomNum, copperGeomNum); });
    }
    int16_t maxErrorsPerTest() const override { return dfm()->maxErrorsPerTest(); }
    void setMaxErrorsPerTest(int16_t limit) override {
        return call<void>("setMaxErrorsPerTest", [&] { return dfm()->setMaxErrorsPerTest(limit); });
    }

  private:
    template <class R, class Forward> R call(std::string_view name, Forward&& forward) {
        FaultRecord& record = *record_;
        if (++record.calls == record.plan.failingCall && record.plan.kind == FaultKind::Interrupt) {
            std::raise(SIGINT);
        } else if (record.calls == record.plan.failingCall) {
            record.failedCall = name;
            if constexpr (!std::is_void_v<R>) {
                if (record.plan.kind == FaultKind::Code) {
                    return record.plan.code;
                }
            }
            throw AutomationError("injected failure of call " + std::to_string(record.calls) + " (" +
                                  record.failedCall + ")");
        }
        return forward();
    }

    template <class T> static T* present(T* object) {
        if (object == nullptr) {
            throw AutomationError("the object has no such method");
        }
        return object;
    }
    KorvenApplication* application() const { return present(application_); }
    KorvenDfm* dfm() const { return present(dfm_); }

    std::shared_ptr<AutomationObject> real_;
    KorvenApplication* application_;
    KorvenDfm* dfm_;
    std::shared_ptr<FaultRecord> record_;
};

} // namespace

FailingKorven::FailingKorven(AutomationRegistry& registry, FaultPlan plan)
    : registry_(registry), record_(std::make_shared<FaultRecord>(FaultRecord{.plan = plan})) {}

std::shared_ptr<AutomationObject> FailingKorven::createObject(std::string_view progId) {
    if (creating_) {
        return nullptr; // the registry asks the providers after this one
    }
    creating_ = true;
    std::shared_ptr<AutomationObject> real = registry_.createObject(progId);
    creating_ = false;
    return real ? std::make_shared<FaultyObject>(std::move(real), record_) : nullptr;
}

} // namespace lumora
