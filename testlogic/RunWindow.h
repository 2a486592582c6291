#pragma once

#include "korven/CurrentWindow.h"
#include "korven/RunSettings.h"

#include <cstdint>
#include <string>

namespace lumora {

class clsTestItem;

// The run state of a script window.
struct RunState {
    bool blnRunning = false; // from the start to the end of a run; the window may not close
    bool blnStop = false;    // Stop Script; honoured before the next row
    long lngNextRow = 1;     // where Continue Script starts
    long lngCurRow = -1;     // the row that DRC callbacks count into; -1: none
};

// The window's "Test Markers Placed" labels: the counts of the last run.
struct RunTotals {
    long marginal = 0;
    long critical = 0;
};

// A row's Marginal and Critical cells as they show.
struct RowCounts {
    std::string marginal;
    std::string critical;
};

// The script window as the run driver sees it. Rows 1 to lastRow() hold the tests; row 0 is the
// header. The script window implements it; test doubles may too.
class RunWindow : public CurrentWindow {
  public:
    virtual const std::string& scriptFilename() const = 0;
    virtual int32_t scriptUnits() const = 0;
    virtual RunState& runState() = 0;
    virtual RunTotals& totals() = 0;

    // Creates the run log and the time log for one run in the run's log folder, and releases them
    // after it.
    virtual void createRunLogs(const RunSettings& settings) = 0;
    virtual void releaseRunLogs() = 0;

    virtual long lastRow() const = 0;
    virtual bool rowChecked(long row) const = 0;
    virtual clsTestItem& rowTest(long row) = 0;
    virtual RowCounts rowCounts(long row) const = 0;
    virtual void setRowCounts(long row, const RowCounts& counts) = 0;
    virtual void setRowForeColor(long row, uint32_t colour) = 0;
    virtual void setRowBackColor(long row, uint32_t colour) = 0;
    // Scrolls the grid so that the row can be seen.
    virtual void showRow(long row) = 0;
    virtual void selectRow(long row) = 0;
};

} // namespace lumora
