#include "ui/frmDebugList.h"

#include "korven/CurrentWindow.h"
#include "korven/clsKORVEN.h"

namespace lumora {

namespace {

// Asks KORVEN to put a file's own geometry back.
constexpr int16_t kOriginalGeometry = -1;

constexpr std::array<frmCreatedGeometries::ColumnSpec, frmCreatedGeometries::kColumns> kColumnSpecs{{
    {"Test", 2025, false},
    {"File", 1680, false},
    {"File Position", 960, true},
    {"Geometry", 960, false},
    {"", 285, true},
    {"Geom Object", 960, true},
}};

// Calls visit(position, visible) for every board entry and then every panel entry.
template <class Visit> void forEachFile(const clsKORVEN& korven, Visit visit) {
    for (int32_t b = korven.Boards_Lbound(); b <= korven.Boards_Ubound(); ++b) {
        visit(korven.Board_Position(b), korven.Board_Visible(b));
    }
    for (int32_t p = korven.Panels_Lbound(); p <= korven.Panels_Ubound(); ++p) {
        visit(korven.Panel_Position(p), korven.Panel_Visible(p));
    }
}

} // namespace

const std::array<frmCreatedGeometries::ColumnSpec, frmCreatedGeometries::kColumns>&
frmCreatedGeometries::columns() {
    return kColumnSpecs;
}

void frmCreatedGeometries::addGeometry(const std::string& testName, const std::string& filename,
                                       int32_t filePos, int16_t geomNum) {
    // Only a run in debug mode leaves its geometries in the design to be looked at.
    CurrentWindow* window = frmCurChild();
    if (window == nullptr || !window->objKorven().runSettings().blnDebugOn) {
        return;
    }
    std::string geometryName;
    window->objKorven().GetGeometry(geomNum, geometryName);
    rows_.push_back(
        CreatedGeometry{testName, filename, filePos, geometryName, !geometryName.empty(), geomNum});
    selectedRow_ = 0;
}

void frmCreatedGeometries::clear() {
    rows_.clear();
    selectedRow_ = 0;
}

void frmCreatedGeometries::selectRow(long row) {
    selectedRow_ = row;
    if (row == 0) {
        return;
    }
    const CreatedGeometry& geometry = rows_.at(static_cast<std::size_t>(row - 1));
    clsKORVEN* korven = connect();
    if (korven == nullptr) {
        return;
    }
    setAllFilesShown(*korven, false);
    if (!geometry.checked) {
        messages_.showMessage("No geometry to show", MessageKind::Information);
    } else {
        korven->SetFileGeometry(geometry.filePos, geometry.geomNum);
        korven->SetFileShow(geometry.filePos, true);
        korven->Redraw();
        lastShownFilePos_ = geometry.filePos;
    }
    korven->closeConnection();
}

void frmCreatedGeometries::viewOriginal() {
    if (selectedRow_ == 0) {
        return;
    }
    int32_t filePos = rows_.at(static_cast<std::size_t>(selectedRow_ - 1)).filePos;
    clsKORVEN* korven = connect();
    if (korven == nullptr) {
        return;
    }
    if (lastShownFilePos_ && *lastShownFilePos_ != filePos) {
        korven->SetFileShow(*lastShownFilePos_, false);
    }
    korven->SetFileGeometry(filePos, kOriginalGeometry);
    korven->SetFileShow(filePos, true);
    korven->Redraw();
    lastShownFilePos_ = filePos;
    korven->closeConnection();
}

void frmCreatedGeometries::revertAll() {
    if (clsKORVEN* korven = connect()) {
        restoreAllGeometries(*korven, false);
        korven->Redraw();
        korven->closeConnection();
    }
}

void frmCreatedGeometries::revertFiles() {
    if (rows_.empty()) {
        return;
    }
    if (clsKORVEN* korven = connect()) {
        restoreAllGeometries(*korven, true);
        korven->fitPageToImage();
        korven->closeConnection();
    }
}

clsKORVEN* frmCreatedGeometries::connect() {
    // The list is emptied whenever a script window closes, so rows always have a window behind them.
    CurrentWindow* window = frmCurChild();
    if (window == nullptr) {
        return nullptr;
    }
    clsKORVEN& korven = window->objKorven();
    if (!korven.openConnection(false, false)) {
        messages_.showMessage(korven.lastError(), MessageKind::Error);
        return nullptr;
    }
    return &korven;
}

void frmCreatedGeometries::setAllFilesShown(clsKORVEN& korven, bool setOn) {
    forEachFile(korven, [&](int32_t position, bool) { korven.SetFileShow(position, setOn); });
}

void frmCreatedGeometries::restoreAllGeometries(clsKORVEN& korven, bool restoreVisibility) {
    forEachFile(korven, [&](int32_t position, bool visible) {
        korven.SetFileGeometry(position, kOriginalGeometry);
        if (restoreVisibility) {
            korven.SetFileShow(position, visible);
        }
    });
}

} // namespace lumora
