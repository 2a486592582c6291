#pragma once

#include "script/ScriptLoader.h"
#include "ui/TestGrid.h"

#include <cstdint>
#include <optional>
#include <string>

namespace lumora {

// Which of the window's run buttons can be pressed.
struct RunButtons {
    bool run;
    bool stop;
    bool resume; // "Continue Script"
};

// A script window without drawing: the test grid, the run state and the live counters.
class frmTests : public ScriptSink {
  public:
    // strFormID is "Form" & the counter, which then rises by one.
    frmTests(std::string strFilename, long& lngFormCounter);

    std::string strFilename;
    std::string strFormID;
    int32_t curUnits = 0;

    const std::string& scriptName() const { return strScriptName_; }
    std::string caption() const { return strScriptName_ + " - Script"; }
    TestGrid& grid() { return grid_; }
    const TestGrid& grid() const { return grid_; }

    void setUnits(int32_t units) override { curUnits = units; }
    // Appends a checked row for the test; refused while the window runs.
    void addTest(std::unique_ptr<clsTestItem> objTest) override;
    // Black on white and empty counts on every row.
    void resetTests();

    void updateTests(const std::string& value);
    void resetTestCnt() { lngCurMarginal_ = lngCurCritical_ = 0; }
    long getCurMarginal() const { return lngCurMarginal_; }
    long getCurCritical() const { return lngCurCritical_; }

    bool isRunning() const { return blnRunning_; }
    long nextRow() const { return lngNextRow_; }
    RunButtons updateButtons() const;
    // The message that refuses closing a running window; nothing when it may close.
    std::optional<std::string> closeRefusal() const;

  protected:
    bool blnRunning_ = false;
    bool blnStop_ = false;
    long lngNextRow_ = 1;
    long lngCurRow_ = -1;

  private:
    std::string strScriptName_;
    long lngCurMarginal_ = 0;
    long lngCurCritical_ = 0;
    TestGrid grid_;
};

// The last path component up to its first "."; the whole component when it has none.
std::string scriptNameOf(const std::string& path);

// The Notes text of a row: the two package parameters for the package-spacing tests.
std::string notesFor(clsTestItem& item);

} // namespace lumora
