#pragma once

#include "korven/clsKORVEN.h"
#include "log/Clock.h"
#include "log/clsLogFile.h"
#include "log/clsTestTimer.h"
#include "script/ScriptLoader.h"
#include "testlogic/RunWindow.h"
#include "ui/ScriptWindowHost.h"
#include "ui/TestGrid.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace lumora {

// Which of the window's run buttons can be pressed.
struct RunButtons {
    bool run;
    bool stop;
    bool resume; // "Continue Script"
};

// The check marks of the window's Settings menu.
struct WindowMenuChecks {
    bool clearDRCOnRun = true; // read by each run of this window
    bool genTestTimes = true;  // follows blnGenTestTimes (MDIMain::setGenTestTimes)
    bool popupTestInfo = true; // grid tool tips while no run is in progress
};

// A script window without drawing: the test grid, the run state, the live counters, and the
// KORVEN connection (objKorven) it keeps for its life. The window is the current one
// (MDIMain.frmCurChild) from its creation; activate() makes it current again, except during a
// run, whose window stays current until the run ends. While it runs the desktop program shows the
// hourglass over it (isRunning()).
class frmTests : public ScriptSink, public RunWindow {
  public:
    // strFormID is "Form" & the counter, which then rises by one.
    frmTests(std::string strFilename, long& lngFormCounter, ScriptWindowHost& host);
    ~frmTests() override;
    frmTests(const frmTests&) = delete;
    frmTests& operator=(const frmTests&) = delete;

    std::string strFilename;
    std::string strFormID;
    int32_t curUnits = 0;
    WindowMenuChecks menuChecks;

    const std::string& scriptName() const { return strScriptName_; }
    std::string caption() const { return strScriptName_ + " - Script"; }
    TestGrid& grid() { return grid_; }
    const TestGrid& grid() const { return grid_; }

    void activate();
    // File > Open Script of this window: the main window's openFile, then this window starts
    // afresh (Continue disabled). Does nothing during a run.
    void openScript();

    void setUnits(int32_t units) override { curUnits = units; }
    // Appends a checked row for the test; refused while the window runs.
    void addTest(std::unique_ptr<clsTestItem> objTest) override;
    // Black on white and empty counts on every row; resetDebugList also empties the Created
    // Geometries list.
    void resetTests(bool resetDebugList = false);

    // --- the buttons; a press while the button is disabled does nothing and returns 0 ---
    // Run Script: a fresh run from the first row. Statuses as runTests; -998 opens the run log.
    int16_t runScript();
    // Continue Script: from the row where Stop ended the last run, appending to both logs.
    int16_t continueScript();
    // Stop Script: the run ends before its next row.
    void stopScript() { state_.blnStop = true; }

    // The run driver on this window; statuses in testlogic/RunDriver.h (0, -998, -999). Refused
    // (0, nothing done) while any window runs.
    int16_t runTests(long lngStart, bool blnClearPrev);

    // --- the live counting of KORVEN's DRC callbacks ---
    void updateTests(const std::string& value) override;
    void resetTestCnt() override { lngCurMarginal_ = lngCurCritical_ = 0; }
    long getCurMarginal() const override { return lngCurMarginal_; }
    long getCurCritical() const override { return lngCurCritical_; }

    bool isRunning() const { return state_.blnRunning; }
    long nextRow() const { return state_.lngNextRow; }
    const RunState& runState() const { return state_; }
    const RunTotals& totals() const { return totals_; }
    RunButtons updateButtons() const;
    // The message that refuses closing a running window; nothing when it may close.
    std::optional<std::string> closeRefusal() const;

    // The logs of later runs read their time from clock (tests fix it).
    void useClock(const Clock& clock) { clock_ = &clock; }

    // --- CurrentWindow: the per-run logs exist only during a run ---
    clsLogFile* logFile() override { return logFile_.get(); }
    clsTestTimer* timeLogFile() override { return timeLogFile_.get(); }
    clsKORVEN& objKorven() override { return objKorven_; }

    // --- RunWindow ---
    const std::string& scriptFilename() const override { return strFilename; }
    int32_t scriptUnits() const override { return curUnits; }
    RunState& runState() override { return state_; }
    RunTotals& totals() override { return totals_; }
    void createRunLogs(const RunSettings& settings) override;
    void releaseRunLogs() override;
    long lastRow() const override { return grid_.testRows(); }
    bool rowChecked(long row) const override { return grid_.checked(row); }
    clsTestItem& rowTest(long row) override { return grid_.item(row); }
    RowCounts rowCounts(long row) const override;
    void setRowCounts(long row, const RowCounts& counts) override;
    void setRowForeColor(long row, uint32_t colour) override { grid_.setRowForeColor(row, colour); }
    void setRowBackColor(long row, uint32_t colour) override { grid_.setRowBackColor(row, colour); }
    void showRow(long row) override { grid_.showRow(row); }
    void selectRow(long row) override { grid_.selectRow(row); }

  private:
    // Run Script and Continue Script open the run log after a run with failures.
    int16_t runAndShowFailures(long lngStart, bool blnClearPrev);

    ScriptWindowHost& host_;
    std::string strScriptName_;
    RunState state_;
    RunTotals totals_;
    long lngCurMarginal_ = 0;
    long lngCurCritical_ = 0;
    TestGrid grid_;
    clsKORVEN objKorven_;
    std::unique_ptr<clsLogFile> logFile_;
    std::unique_ptr<clsTestTimer> timeLogFile_;
    const Clock* clock_ = &systemClock();
};

// The last path component up to its first "."; the whole component when it has none.
std::string scriptNameOf(const std::string& path);

// The Notes text of a row: the two package parameters for the package-spacing tests.
std::string notesFor(clsTestItem& item);

} // namespace lumora
