#include "ui/frmTests.h"

#include "testlogic/RunDriver.h"
#include "ui/frmDebugList.h"

#include <algorithm>
#include <cctype>

namespace lumora {

namespace {

std::string upperCased(std::string text) {
    std::ranges::transform(text, text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

void incrementCell(TestGrid& grid, long row, int column) {
    const std::string& current = grid.text(row, column);
    long value = current.empty() ? 0 : std::stol(current);
    grid.setText(row, column, std::to_string(value + 1));
}

} // namespace

std::string scriptNameOf(const std::string& path) {
    std::size_t slash = path.find_last_of("/\\");
    std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
    return last.substr(0, last.find('.'));
}

std::string notesFor(clsTestItem& item) {
    if (!isPackageTest(item.strName)) {
        return std::string();
    }
    return upperCased(item.dictProperties().item("Package_1")) + " To " +
           upperCased(item.dictProperties().item("Package_2"));
}

frmTests::frmTests(std::string filename, long& lngFormCounter, ScriptWindowHost& host)
    : strFilename(std::move(filename)), strFormID("Form" + std::to_string(lngFormCounter)), host_(host),
      strScriptName_(scriptNameOf(strFilename)) {
    ++lngFormCounter;
    menuChecks.genTestTimes = host_.logSwitches().blnGenTestTimes;
    activate();
}

frmTests::~frmTests() {
    if (frmCurChild() == this) {
        setFrmCurChild(nullptr);
    }
}

void frmTests::activate() {
    // Counts and log lines of a run go to the running window, whichever the user looks at.
    if (!host_.testRunning()) {
        setFrmCurChild(this);
    }
    host_.windowActivated(*this);
}

void frmTests::openScript() {
    if (host_.testRunning()) {
        return;
    }
    host_.openFile();
    state_.lngNextRow = 1;
}

void frmTests::addTest(std::unique_ptr<clsTestItem> objTest) {
    if (state_.blnRunning) {
        return;
    }
    std::string notes = notesFor(*objTest);
    grid_.appendTest(std::move(objTest), std::move(notes));
    grid_.selectRow(0);
}

void frmTests::resetTests(bool resetDebugList) {
    for (long row = 1; row <= grid_.testRows(); ++row) {
        grid_.setRowForeColor(row, colour::Black);
        grid_.setRowBackColor(row, colour::White);
        grid_.setText(row, TestGrid::Marginal, "");
        grid_.setText(row, TestGrid::Critical, "");
    }
    if (resetDebugList) {
        host_.debugList().clear();
    }
}

int16_t frmTests::runScript() {
    if (!updateButtons().run) {
        return runstatus::Done;
    }
    resetTests(true);
    return runAndShowFailures(1, true);
}

int16_t frmTests::continueScript() {
    if (!updateButtons().resume) {
        return runstatus::Done;
    }
    // Narrower, so that the counts stay in sight while the run goes on.
    grid_.setColumnWidth(TestGrid::Name, 800);
    return runAndShowFailures(state_.lngNextRow, false);
}

int16_t frmTests::runAndShowFailures(long lngStart, bool blnClearPrev) {
    int16_t status = runTests(lngStart, blnClearPrev);
    if (status == runstatus::Failures) {
        host_.viewLog();
    }
    return status;
}

int16_t frmTests::runTests(long lngStart, bool blnClearPrev) {
    if (host_.testRunning() || state_.blnRunning) {
        return runstatus::Done;
    }
    RunSettings settings = host_.runSettings();
    settings.blnClearDRC = menuChecks.clearDRCOnRun;
    return lumora::runTests(*this, host_, settings, lngStart, blnClearPrev);
}

void frmTests::createRunLogs(const RunSettings& settings) {
    logFile_ = std::make_unique<clsLogFile>(settings.logFolder, *clock_);
    timeLogFile_ = std::make_unique<clsTestTimer>(settings.logFolder, host_.logSwitches(), *clock_);
}

void frmTests::releaseRunLogs() {
    logFile_.reset();
    timeLogFile_.reset();
}

RowCounts frmTests::rowCounts(long row) const {
    return RowCounts{grid_.text(row, TestGrid::Marginal), grid_.text(row, TestGrid::Critical)};
}

void frmTests::setRowCounts(long row, const RowCounts& counts) {
    grid_.setText(row, TestGrid::Marginal, counts.marginal);
    grid_.setText(row, TestGrid::Critical, counts.critical);
}

void frmTests::updateTests(const std::string& value) {
    if (state_.lngCurRow == -1) {
        return;
    }
    if (value == "Marginal") {
        incrementCell(grid_, state_.lngCurRow, TestGrid::Marginal);
        ++lngCurMarginal_;
    } else if (value == "Critical") {
        incrementCell(grid_, state_.lngCurRow, TestGrid::Critical);
        ++lngCurCritical_;
    }
}

RunButtons frmTests::updateButtons() const {
    if (state_.blnRunning) {
        return {false, true, false};
    }
    return {true, false, state_.lngNextRow > 1};
}

std::optional<std::string> frmTests::closeRefusal() const {
    if (state_.blnRunning) {
        return strScriptName_ + " is currently running.";
    }
    return std::nullopt;
}

} // namespace lumora
