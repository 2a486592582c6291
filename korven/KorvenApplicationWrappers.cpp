// Wrappers on KORVEN.Application: untimed, and a failure leaves its description alone in lastError.

#include "korven/KorvenFailure.h"
#include "korven/KorvenWrapperCall.h"
#include "korvenapi/AutomationRegistry.h"

namespace lumora {

namespace {

constexpr WrapperTraits kApplicationCall{nullptr, FailureForm::DescriptionOnly};

constexpr int32_t kCommandFitPageToImage = 33309;
constexpr int32_t kCommandGenerateSMD = 33201;
constexpr int32_t kCommandGeneratePinPitch = 601;

} // namespace

int16_t clsKORVEN::SaveDataFileAs(const std::string& filename) {
    return callKorven(kApplicationCall, objApplication_,
                      [&](KorvenApplication& app) { return app.SaveDataFileAs(filename); });
}

int16_t clsKORVEN::SetResponse(bool setOn) {
    const std::string progId(kResponseProgId);
    return callKorven(kApplicationCall, objApplication_, [&](KorvenApplication& app) {
        return setOn ? app.TurnOnResponse(progId) : app.TurnOffResponseByID(progId);
    });
}

int16_t clsKORVEN::GetLayerInfo(int32_t lngNumber, std::string& lyrName, int16_t& lyrType, int16_t& lyrShow,
                                int16_t& lyrElectrical, int16_t& lyrPhysical, int16_t& lyrArtwork) {
    return callKorven(kApplicationCall, objApplication_, [&](KorvenApplication& app) {
        int16_t layer = toInteger16(lngNumber, "GetLayerInfo");
        int16_t color = 0, fillStyle = 0, lineStyle = 0, lineWidth = 0, penNumber = 0;
        std::string description;
        int16_t code = app.GetLayer3(layer, lyrName, lyrType, lyrShow, color, description, fillStyle,
                                     lineStyle, lineWidth, penNumber);
        if (code == rc::Ok || code == rc::HoleInArray) {
            app.GetLayerStackup(layer, lyrElectrical, lyrPhysical, lyrArtwork);
        }
        return code;
    });
}

int16_t clsKORVEN::SetLayerCurrentAttrib(int16_t layerNum) {
    return callKorven(kApplicationCall, objApplication_,
                      [&](KorvenApplication& app) { return app.SetLayerCurrentAttrib(layerNum); });
}

int16_t clsKORVEN::GetGeometry(int16_t geomNum, std::string& geomName) {
    return callKorven(kApplicationCall, objApplication_, [&](KorvenApplication& app) {
        int16_t blockType = 0;
        int16_t itemCount = 0;
        return app.GetGeometry(geomNum, geomName, blockType, itemCount);
    });
}

int16_t clsKORVEN::GetGeometryArrayByType(int16_t blockType, std::vector<int16_t>& geomArray) {
    return callKorven(kApplicationCall, objApplication_, [&](KorvenApplication& app) {
        return app.GetGeometryArrayByType(blockType, geomArray);
    });
}

int16_t clsKORVEN::GetDataArrayByInsertType(int16_t geomNum, int16_t insertType,
                                            std::vector<int32_t>& insArray) {
    return callKorven(kApplicationCall, objApplication_, [&](KorvenApplication& app) {
        return app.GetDataArrayByInsertType(geomNum, insertType, insArray);
    });
}

int16_t clsKORVEN::GetDataInsert(int16_t geomNum, int32_t dataPos, KorvenInsertRecord& insert) {
    return callKorven(kApplicationCall, objApplication_,
                      [&](KorvenApplication& app) { return readInsert(app, geomNum, dataPos, insert); });
}

int16_t clsKORVEN::GetFileGeometry(int32_t filePos, int16_t& geomNum) {
    return callKorven(kApplicationCall, objApplication_, [&](KorvenApplication& app) {
        KorvenFileRecord file;
        int16_t code = readFile(app, filePos, file);
        geomNum = file.geomNum;
        return code;
    });
}

int16_t clsKORVEN::SetFileGeometry(int32_t filePos, int16_t geomNum) {
    return callKorven(kApplicationCall, objApplication_,
                      [&](KorvenApplication& app) { return app.SetFileGeometry(filePos, geomNum); });
}

int16_t clsKORVEN::SetFileShow(int32_t filePos, bool setOn) {
    return callKorven(kApplicationCall, objApplication_,
                      [&](KorvenApplication& app) { return app.SetFileShow(filePos, setOn); });
}

int16_t clsKORVEN::DeleteByLayer(int16_t layerNum, bool removeLayerFromList) {
    return callKorven(kApplicationCall, objApplication_, [&](KorvenApplication& app) {
        return app.DeleteByLayer(layerNum, removeLayerFromList);
    });
}

int16_t clsKORVEN::DeleteGeometry(int16_t& geomNum) {
    // The number is given up whatever KORVEN answers, so that nobody deletes it twice; only a call
    // that failed outright keeps it.
    bool answered = false;
    int16_t code = callKorven(kApplicationCall, objApplication_, [&](KorvenApplication& app) {
        int16_t deleted = app.DeleteGeometry(geomNum);
        answered = true;
        return deleted;
    });
    if (answered || !objApplication_) {
        geomNum = 0;
    }
    return code;
}

int16_t clsKORVEN::GetKeyword(int16_t keyWord, std::string& InKeyword, std::string& CCKeyword,
                              std::string& OutKeyword, int16_t& keywdType, bool& internal) {
    return callKorven(kApplicationCall, objApplication_, [&](KorvenApplication& app) {
        return app.GetKeyword(keyWord, InKeyword, CCKeyword, OutKeyword, keywdType, internal);
    });
}

int16_t clsKORVEN::GetAttribKeywordArray(std::vector<int16_t>& keywordArray) {
    return callKorven(kApplicationCall, objApplication_,
                      [&](KorvenApplication& app) { return app.GetAttribKeywordArray(keywordArray); });
}

int16_t clsKORVEN::GetAttribValue(int16_t keyWord, std::string& Value) {
    return callKorven(kApplicationCall, objApplication_,
                      [&](KorvenApplication& app) { return app.GetAttribValue(keyWord, Value); });
}

int16_t clsKORVEN::fitPageToImage() {
    return callKorven(kApplicationCall, objApplication_,
                      [&](KorvenApplication& app) { return app.IssueCommand(kCommandFitPageToImage); });
}

int16_t clsKORVEN::generateSMD() {
    return callKorven(kApplicationCall, objApplication_,
                      [&](KorvenApplication& app) { return app.IssueCommand(kCommandGenerateSMD); });
}

int16_t clsKORVEN::generatePinPitch() {
    return callKorven(kApplicationCall, objApplication_,
                      [&](KorvenApplication& app) { return app.IssueCommand(kCommandGeneratePinPitch); });
}

int16_t clsKORVEN::dfmClearAllDRCs() {
    return callKorven(kApplicationCall, objApplication_,
                      [&](KorvenApplication& app) { return app.ClearAllDRCs(); });
}

int16_t clsKORVEN::dfmCreateDFxOutline(int16_t geomNum, int16_t Algorithm, bool overWrite) {
    return callKorven(kApplicationCall, objApplication_, [&](KorvenApplication& app) {
        return app.dfmCreateDFxOutline(geomNum, Algorithm, overWrite);
    });
}

int16_t clsKORVEN::Redraw() {
    return callKorven(kApplicationCall, objApplication_,
                      [&](KorvenApplication& app) { return app.Redraw(); });
}

} // namespace lumora
