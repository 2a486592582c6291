#pragma once

#include "korven/CreatedGeometryList.h"
#include "testlogic/RunHost.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumora {

class clsKORVEN;

// One geometry that a test created while debug mode was on.
struct CreatedGeometry {
    std::string testName;
    std::string fileName;
    int32_t filePos = 0;
    std::string geometryName; // as KORVEN names it; empty when KORVEN could not tell
    bool checked = false;     // there is a geometry to show
    int16_t geomNum = 0;
};

// The Created Geometries window without drawing: the list of geometries that tests left in the
// design, and the actions that show each in KORVEN in place of its file's own geometry. Every
// action connects the current script window's objKorven without reloading the document, acts on
// the panels and boards of its last run, and disconnects. The layers below reach the window as
// frmDebugList(), which is why the class needs a name of its own.
class frmCreatedGeometries : public CreatedGeometryList {
  public:
    struct ColumnSpec {
        const char* header;
        int widthTwips;
        bool hidden;
    };
    static constexpr int kColumns = 6;
    static const std::array<ColumnSpec, kColumns>& columns();

    explicit frmCreatedGeometries(MessageDisplay& messages) : messages_(messages) {}

    std::string caption() const { return "Created Geometries"; }

    // Ignored unless a window runs in debug mode; asks KORVEN for the geometry's name.
    void addGeometry(const std::string& testName, const std::string& filename, int32_t filePos,
                     int16_t geomNum) override;
    // Row 1 is rows()[0]; row 0 is the header.
    const std::vector<CreatedGeometry>& rows() const { return rows_; }
    long selectedRow() const { return selectedRow_; }
    void clear();

    // A click on a row: hides every file and shows the row's geometry in place of its file's own.
    void selectRow(long row);
    // Shows the selected row's file with its own geometry again.
    void viewOriginal();
    // Gives every file its own geometry back; visibility stays.
    void revertAll();
    // Closing the window: every file gets its own geometry and visibility back.
    void revertFiles();

  private:
    // The current window's KORVEN, connected; nullptr after a message.
    clsKORVEN* connect();
    void setAllFilesShown(clsKORVEN& korven, bool setOn);
    void restoreAllGeometries(clsKORVEN& korven, bool restoreVisibility);

    MessageDisplay& messages_;
    std::vector<CreatedGeometry> rows_;
    long selectedRow_ = 0;
    std::optional<int32_t> lastShownFilePos_;
};

} // namespace lumora
