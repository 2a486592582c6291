#include "engine/automation/EmbeddedApplication.h"

#include "engine/io/DesignFile.h"
#include "engine/model/GeometryItems.h"

namespace lumora::engine {

namespace {

// The interface version the engine answers GetAPIVersion with.
constexpr int16_t kApiMajor = 1;
constexpr int16_t kApiMinor = 50;

// The one document the engine holds.
constexpr int32_t kDocumentId = 1;

const Insert& insertAt(const Geometry& geometry, int32_t dataPos) {
    if (dataPos < 0 || static_cast<std::size_t>(dataPos) >= itemCount(geometry)) {
        throw Refusal(rc::IndexOutOfRange, "no data position " + std::to_string(dataPos));
    }
    const auto* insert = std::get_if<Insert>(&itemAt(geometry, dataPos));
    if (!insert) {
        throw Refusal(rc::WrongType, "data position " + std::to_string(dataPos) + " holds no insert");
    }
    return *insert;
}

} // namespace

int16_t EmbeddedApplication::GetAPIVersion(int16_t& major, int16_t& minor) {
    return answer(session(), [&] {
        major = kApiMajor;
        minor = kApiMinor;
    });
}

int16_t EmbeddedApplication::GetActiveDocument(int32_t& docId) {
    docId = 0;
    return answerWithDocument(session(), [&](Design&) { docId = kDocumentId; });
}

void EmbeddedApplication::GetDocument(int32_t docId, std::string& name) {
    refuseWhenExited(session());
    name = session().hasDocument() && docId == kDocumentId ? session().design().name : std::string();
}

void EmbeddedApplication::GetPageUnits(std::string& units) {
    refuseWhenExited(session());
    units.clear();
    if (session().hasDocument()) {
        units = nameOf(pageUnitNames(), session().design().pageUnits).value_or("");
    }
}

int16_t EmbeddedApplication::GetFileArray(std::vector<int32_t>& files) {
    files.clear();
    return answerWithDocument(session(), [&](Design& design) {
        if (design.files.empty()) {
            throw Refusal(rc::EmptyArray, "no files");
        }
        for (const File& file : design.files) {
            files.push_back(file.number);
        }
    });
}

int16_t EmbeddedApplication::GetFile2(int32_t fileNumber, std::string& name, int16_t& fileType, bool& show,
                                      float& x, float& y, float& scale, float& rotation, int16_t& mirror,
                                      int16_t& blockType, int16_t& geomNum) {
    return answerWithDocument(session(), [&](Design& design) {
        const File& file = design.file(fileNumber);
        const int16_t shown = file.shownGeometry != 0 ? file.shownGeometry : file.geometry;
        name = file.name;
        fileType = kFileTypeDesign;
        show = file.show;
        x = static_cast<float>(file.at.x);
        y = static_cast<float>(file.at.y);
        scale = static_cast<float>(file.scale);
        rotation = static_cast<float>(file.rotation);
        mirror = file.mirror ? 1 : 0;
        blockType = design.geometry(shown).blockType;
        geomNum = shown;
    });
}

int16_t EmbeddedApplication::GetDataArrayByInsertType(int16_t geomNum, int16_t insertType,
                                                      std::vector<int32_t>& inserts) {
    inserts.clear();
    return answerWithDocument(session(), [&](Design& design) {
        const Geometry& geometry = design.geometry(geomNum);
        int32_t position = 0;
        forEachItem(geometry, [&](const DataItem& item) {
            const auto* insert = std::get_if<Insert>(&item);
            if (insert && (insertType == insert_type::Any || insert->insertType == insertType)) {
                inserts.push_back(position);
            }
            ++position;
        });
    });
}

int16_t EmbeddedApplication::GetDataInsert(int16_t geomNum, int32_t dataPos, int16_t& insGeomNum, float& insX,
                                           float& insY, float& insScale, float& insRotation,
                                           int16_t& insMirror, int16_t& insertType, std::string& refName) {
    return answerWithDocument(session(), [&](Design& design) {
        const Insert& insert = insertAt(design.geometry(geomNum), dataPos);
        insGeomNum = insert.geometry;
        insX = static_cast<float>(insert.at.x);
        insY = static_cast<float>(insert.at.y);
        insScale = static_cast<float>(insert.scale);
        insRotation = static_cast<float>(insert.rotation);
        insMirror = insert.mirror ? 1 : 0;
        insertType = insert.insertType;
        refName = insert.refName;
    });
}

void EmbeddedApplication::AutoRedraw(bool on) {
    refuseWhenExited(session());
    session().autoRedraw = on;
}

int16_t EmbeddedApplication::Redraw() {
    return answer(session(), [] {});
}

int16_t EmbeddedApplication::SaveDataFileAs(const std::string& filename) {
    return answerWithDocument(session(), [&](Design& design) { saveDesign(design, filename); });
}

int16_t EmbeddedApplication::TurnOnResponse(const std::string& progId) {
    refuseWhenExited(session());
    return session().turnOnResponse(progId);
}

int16_t EmbeddedApplication::TurnOffResponseByID(const std::string& progId) {
    refuseWhenExited(session());
    return session().turnOffResponse(progId);
}

} // namespace lumora::engine
