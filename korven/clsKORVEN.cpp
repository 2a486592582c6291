#include "korven/clsKORVEN.h"

#include "korven/CurrentWindow.h"
#include "korven/ErrorMessages.h"
#include "korven/KorvenFailure.h"
#include "korvenapi/AutomationRegistry.h"
#include "log/clsLogFile.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace lumora {

namespace {

constexpr int16_t kMinimumMajorVersion = 1;
constexpr int16_t kMinimumMinorVersion = 48;

struct PageUnitName {
    std::string_view name;
    int32_t code;
};

constexpr std::array<PageUnitName, 5> kPageUnitNames = {{
    {"Inches", units::Inches},
    {"Mils", units::Mils},
    {"mm", units::Millimetres},
    {"HP Plotter", units::PlotterUnits},
    {"10 nm", units::TenNanometres},
}};

// A step of openConnection that refuses the connection; message is lastError's final text.
struct ConnectionRefused {
    std::string message;
};

[[noreturn]] void refuse(const std::string& description) {
    throw ConnectionRefused{"openConnection {" + description + "}"};
}

// A file as the lists hold it first: without soldermask geometries.
FileInfo fileEntry(int32_t position, const std::string& name, int16_t geomNum, bool visible) {
    FileInfo file;
    file.Position = position;
    file.FileName = name;
    file.GeomNum = geomNum;
    file.Visible = visible;
    return file;
}

} // namespace

clsKORVEN::~clsKORVEN() {
    lastError_.clear();
    objDFM_.reset();
    objApplication_.reset();
}

bool clsKORVEN::isKORVENRunning() const {
    // KORVEN's main window stands for the server; the runner's own window keeps the focus.
    return automationRegistry().isKorvenRunning();
}

double clsKORVEN::toPageUnits(double value) const {
    if (lngTestUnits_ < 0 || lngTestUnits_ >= units::TableSize || lngPageUnits_ < 0 ||
        lngPageUnits_ >= units::TableSize) {
        raiseSubscriptOutOfRange("clsKORVEN");
    }
    return value * dblUnitFactor_[lngTestUnits_][lngPageUnits_];
}

bool clsKORVEN::openConnection(bool startNew, bool loadFiles, int32_t testUnits) {
    lastError_.clear();
    reportedDescriptions_.clear();
    connectionWarnings_.clear();
    try {
        createObjects(startNew);
        if (!loadFiles) {
            return true;
        }
        readDocumentHeader(testUnits);
        this->loadFiles();
        return true;
    } catch (const ConnectionRefused& refusal) {
        lastError_ = refusal.message;
    } catch (const std::exception& failure) {
        lastError_ = "openConnection {" + std::string(failure.what()) + "}";
    }
    return false;
}

void clsKORVEN::createObjects(bool startNew) {
    if (!startNew && !isKORVENRunning()) {
        throw ConnectionRefused{"KORVEN must be running to run any tests."};
    }
    if (!objApplication_) {
        objApplication_ = automationRegistry().create<KorvenApplication>(kApplicationProgId);
    }
    if (!objApplication_) {
        refuse("Could not create application object");
    }
    int16_t major = 0;
    int16_t minor = 0;
    objApplication_->GetAPIVersion(major, minor);
    if (major < kMinimumMajorVersion || minor < kMinimumMinorVersion) {
        refuse("Incompatible KORVEN Version v" + std::to_string(major) + "." + std::to_string(minor));
    }
    if (!objDFM_) {
        objDFM_ = automationRegistry().create<KorvenDfm>(kDfmProgId);
    }
    if (!objDFM_) {
        refuse("Could not create DFM object");
    }
}

void clsKORVEN::readDocumentHeader(int32_t testUnits) {
    int32_t docId = 0;
    if (int16_t code = objApplication_->GetActiveDocument(docId); code == rc::Ok) {
        objApplication_->GetDocument(docId, CurrentDocumentName_);
    } else {
        warn("Warning: KORVEN could not tell the document's name (GetActiveDocument {" + reportError(code) +
             "}); the run goes on without it.");
    }
    std::string unitName;
    objApplication_->GetPageUnits(unitName);
    auto known = std::ranges::find(kPageUnitNames, unitName, &PageUnitName::name);
    if (known != kPageUnitNames.end()) {
        lngPageUnits_ = known->code;
    }
    lngTestUnits_ = testUnits;
}

void clsKORVEN::loadFiles() {
    int32_t docId = 0;
    objApplication_->GetActiveDocument(docId);
    if (docId == 0) {
        refuse("No data file loaded");
    }
    std::vector<int32_t> fileNumbers;
    if (objApplication_->GetFileArray(fileNumbers) != rc::Ok) {
        refuse("No files loaded (GetFileArray)");
    }
    arrPanels_.clear();
    arrBoards_.clear();
    int32_t filesShown = 0;
    std::vector<FileInfo> allFiles = readFiles(fileNumbers, filesShown);
    addBoardsPlacedInPanels(allFiles, filesShown);
    if (filesShown <= 0) {
        refuse("No files showing");
    }
    objApplication_->AutoRedraw(false);
}

std::vector<FileInfo> clsKORVEN::readFiles(const std::vector<int32_t>& fileNumbers, int32_t& filesShown) {
    std::vector<FileInfo> allFiles;
    for (int32_t fileNumber : fileNumbers) {
        KorvenFileRecord file;
        if (readFile(*objApplication_, fileNumber, file) != rc::Ok) {
            refuse("Error Getting file information (GetFile [" + std::to_string(fileNumber) + "])");
        }
        allFiles.push_back(fileEntry(fileNumber, file.name, file.geomNum, file.show));
        if (!file.show || (file.blockType != block_type::Board && file.blockType != block_type::Panel)) {
            continue;
        }
        (file.blockType == block_type::Board ? arrBoards_ : arrPanels_)
            .append(fileEntry(fileNumber, file.name, file.geomNum, true));
        ++filesShown;
    }
    return allFiles;
}

void clsKORVEN::addBoardsPlacedInPanels(const std::vector<FileInfo>& allFiles, int32_t& filesShown) {
    for (int16_t p = 0; p < arrPanels_.count(); ++p) {
        int16_t panelGeom = toInteger16(arrPanels_.at(p).GeomNum, "openConnection");
        std::vector<int32_t> inserts;
        if (int16_t code = objApplication_->GetDataArrayByInsertType(panelGeom, insert_type::Board, inserts);
            code != rc::Ok) {
            if (code != rc::EmptyArray) {
                warnSkipped(arrPanels_.at(p).FileName, "GetDataArrayByInsertType", code);
            }
            continue;
        }
        for (int32_t dataPos : inserts) {
            KorvenInsertRecord insert;
            if (int16_t code = readInsert(*objApplication_, panelGeom, dataPos, insert); code != rc::Ok) {
                warnSkipped(arrPanels_.at(p).FileName, "GetDataInsert", code);
                continue;
            }
            const int16_t insGeomNum = insert.geomNum;
            bool listed = false;
            for (int16_t b = 0; b < arrBoards_.count() && !listed; ++b) {
                listed = arrBoards_.at(b).GeomNum == insGeomNum;
            }
            auto placed = std::ranges::find(allFiles, static_cast<int32_t>(insGeomNum), &FileInfo::GeomNum);
            if (!listed && placed != allFiles.end()) {
                arrBoards_.append(*placed);
                ++filesShown;
            }
        }
    }
}

// The connection goes on without those boards, as it always has; the user learns that the
// results may miss them.
void clsKORVEN::warnSkipped(const std::string& panelName, const char* call, int16_t code) {
    warn("Warning: boards placed in panel " + panelName + " could not be read (" + call + " {" +
         reportError(code) + "}); boards placed only there are not tested.");
}

void clsKORVEN::warn(std::string warning) {
    if (CurrentWindow* window = frmCurChild(); window != nullptr && window->logFile() != nullptr) {
        window->logFile()->writeString(warning);
    }
    connectionWarnings_.push_back(std::move(warning));
}

void clsKORVEN::closeConnection() {
    for (int16_t b = 0; b < arrBoards_.count(); ++b) {
        FileInfo& board = arrBoards_.at(b);
        for (GeomPair* pair :
             {&board.sFeatureGeom, &board.sPinGeom, &board.sTPGeom, &board.sViaGeom, &board.sMaskGeom}) {
            for (int16_t* geomNum : {&pair->topGeomNum, &pair->botGeomNum}) {
                if (*geomNum != 0 && !runSettings_.blnDebugOn) {
                    DeleteGeometry(*geomNum);
                }
            }
        }
    }
    lastError_.clear();
    objDFM_.reset();
    objApplication_.reset();
}

void clsKORVEN::keepReportedDescription() {
    if (!korvenDescription_.empty()) {
        reportedDescriptions_.push_back(korvenDescription_);
    }
}

} // namespace lumora
