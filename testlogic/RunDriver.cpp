#include "testlogic/RunDriver.h"

#include "korven/clsKORVEN.h"
#include "korvenapi/KorvenCodes.h"
#include "log/clsLogFile.h"
#include "log/clsTestTimer.h"
#include "script/RunnerError.h"
#include "script/clsTestItem.h"
#include "testlogic/RowColours.h"
#include "testlogic/mdlTestLogic.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

namespace lumora {

namespace {

enum class FailsOn { NonZero, Negative };

// A pre-processing step in KORVEN before the tests.
struct KorvenStep {
    const char* timerName;
    const char* statusText;
    int16_t (clsKORVEN::*call)();
    FailsOn failsOn;
    const char* failureText; // followed by "{" last error "}"; nullptr: the step writes its own
    bool freshRunOnly;       // skipped by Continue
};

// "Genereating" is the text users have always seen in the progress window.
constexpr std::array kKorvenSteps{
    KorvenStep{"Generate Outlines", "Genereating DFx Outlines", &clsKORVEN::dfmGenerateDFxOutlines,
               FailsOn::NonZero, "Could not create DFx outlines in KORVEN.", true},
    KorvenStep{"Load Layers", "Loading KORVEN layers", &clsKORVEN::loadLayers, FailsOn::NonZero, nullptr,
               false},
    KorvenStep{"Generate Pin Pitch Data", "Generating Pin Pitches", &clsKORVEN::generatePinPitch,
               FailsOn::Negative, "ERROR: generating pin pitches.", false},
    KorvenStep{"Generate SMD", "Generate SMD Data", &clsKORVEN::generateSMD, FailsOn::Negative,
               "ERROR: generating SMD components.", false},
};

bool failed(const KorvenStep& step, int16_t code) {
    return step.failsOn == FailsOn::NonZero ? code != 0 : code < 0;
}

long countOf(const std::string& text) {
    long value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

int16_t progressRange(long rows) {
    return static_cast<int16_t>(std::min<long>(rows, std::numeric_limits<int16_t>::max()));
}

std::string failureText(const std::string& source, const std::string& description) {
    return source + " {" + description + "}";
}

void writeRunLog(RunWindow& window, const std::string& line) {
    if (clsLogFile* log = window.logFile()) {
        log->writeString(line);
    }
}

// One call of runTests, from its first step to its end.
class Run {
  public:
    Run(RunWindow& window, RunHost& host, const RunSettings& settings, bool blnClearPrev)
        : window_(window), host_(host), korven_(window.objKorven()), state_(window.runState()),
          settings_(settings), clearPrev_(blnClearPrev) {}

    int16_t execute(long lngStart) {
        start();
        if (!beginLogs() || !connect()) {
            status_ = runnercode::Failed;
        } else if (preprocess()) {
            runRows(lngStart);
        }
        return end();
    }

  private:
    enum class RowOutcome { Next, EndRun };

    void start() {
        setFrmCurChild(&window_);
        // The window's state is whole before the host tells its drawing.
        state_.blnRunning = true;
        host_.setTestRunning(true);
        korven_.useRunSettings(settings_);
        window_.createRunLogs(settings_);
    }

    bool beginLogs() {
        try {
            window_.logFile()->beginLog(clearPrev_);
            // Opened before the connection, as always: its head describes the document of the
            // window's previous connection.
            std::string documentName = korven_.CurrentDocumentName();
            timeLog().beginLog(window_.scriptFilename(), documentName, korven_, clearPrev_);
            if (!timeLog().summaryGap().empty()) {
                writeLog("Warning: the design summary of testtimes.csv is short {" + timeLog().summaryGap() +
                         "}");
            }
            timeLog().startTimer("Pre-processing");
            return true;
        } catch (const RunnerError& error) {
            reportStartFailure(failureText(error.source(), error.description()));
        } catch (const std::exception& error) {
            reportStartFailure(failureText("beginLog", error.what()));
        }
        return false;
    }

    bool connect() {
        timeLog().startSubProcessTimer("KORVEN Connection");
        showStatus("Connecting to KORVEN");
        if (!korven_.openConnection(false, true, window_.scriptUnits())) {
            reportStartFailure(korven_.lastError());
            return false;
        }
        timeLog().stopSubProcessTimer();
        return true;
    }

    // The message box and the run log line of a run that cannot start.
    void reportStartFailure(const std::string& message) {
        host_.messageBoxes().showMessage(message, MessageKind::Error);
        writeLog(message);
    }

    // False after a counted failure: the run ends before its first test.
    bool preprocess() {
        showStatus("Setting up KORVEN responses");
        if (korven_.SetResponse(true) < 0) {
            writeLog("Could not set up a response from KORVEN.{" + korven_.lastError() + "}");
        }
        for (const KorvenStep& step : kKorvenSteps) {
            if ((clearPrev_ || !step.freshRunOnly) && !runKorvenStep(step)) {
                return false;
            }
        }
        window_.totals() = RunTotals{};
        state_.blnStop = false;
        writeLog("");
        if (clearPrev_) {
            clearDRCs();
        }
        timeLog().stopTimer();
        timeLog().reportTestTimes();
        timeLog().startTimer("Process Soldermask");
        if (!preprocessTests(window_, host_.statusWindow())) {
            ++errors_;
            return false;
        }
        timeLog().stopTimer();
        timeLog().reportTestTimes();
        host_.statusWindow().hideStatus();
        window_.selectRow(0);
        korven_.dfmSetMaxErrorsForTest(settings_.intDRCLimit);
        return true;
    }

    bool runKorvenStep(const KorvenStep& step) {
        timeLog().startSubProcessTimer(step.timerName);
        showStatus(step.statusText);
        if (failed(step, (korven_.*step.call)())) {
            if (step.failureText != nullptr) {
                writeLog(step.failureText + ("{" + korven_.lastError() + "}"));
            }
            ++errors_;
            return false;
        }
        timeLog().stopSubProcessTimer();
        return true;
    }

    // Shows its status and is timed even when "Clear DRC On Run" is unchecked.
    void clearDRCs() {
        timeLog().startSubProcessTimer("Clear DRC's");
        showStatus("Clearing DRCs");
        if (settings_.blnClearDRC) {
            korven_.dfmClearAllDRCs();
        }
        timeLog().stopSubProcessTimer();
    }

    void runRows(long lngStart) {
        for (long row = std::max(lngStart, 1L); row <= window_.lastRow(); ++row) {
            eventPump().doEvents();
            if (state_.blnStop) {
                state_.lngNextRow = row;
                return;
            }
            if (!window_.rowChecked(row)) {
                window_.setRowForeColor(row, colour::GrayText);
                continue;
            }
            if (runRow(row) == RowOutcome::EndRun) {
                return;
            }
            writeLog("");
        }
        state_.lngNextRow = 1;
        state_.lngCurRow = -1;
        status_ = runstatus::Done;
    }

    RowOutcome runRow(long row) {
        window_.setRowCounts(row, RowCounts{"0", "0"});
        window_.showRow(row);
        window_.setRowBackColor(row, colour::Yellow);
        state_.lngCurRow = row;
        eventPump().doEvents();

        clsTestItem& test = window_.rowTest(row);
        // The package tests are timed per pair of packages, so that a script may run them several times.
        timeLog().startTimer(loggedName(test));
        if (TestRunListener* listener = host_.testListener()) {
            listener->testStarted(window_, row);
        }
        int16_t result = runOneTest(test);
        if (TestRunListener* listener = host_.testListener()) {
            listener->testFinished(window_, row, result);
        }
        timeLog().stopTimer();
        RowCounts counts = window_.rowCounts(row);
        timeLog().reportTestTimes(counts.marginal, counts.critical);

        if (result < 0) {
            window_.setRowBackColor(row, colour::Red);
            ++errors_;
            return settings_.blnSaveOnFail ? RowOutcome::EndRun : RowOutcome::Next;
        }
        colourRan(row, result);
        window_.totals().marginal += countOf(counts.marginal);
        window_.totals().critical += countOf(counts.critical);
        writeLog("   Total Violations : {Marginal: " + counts.marginal + "   Critical: " + counts.critical +
                 "}");
        return RowOutcome::Next;
    }

    // The family routines trap their own errors; anything that still escapes fails the test
    // instead of the program.
    int16_t runOneTest(clsTestItem& test) {
        std::string failure;
        try {
            return runTest(test);
        } catch (const RunnerError& error) {
            failure = failureText(error.source(), error.description());
        } catch (const std::exception& error) {
            failure = failureText("runTest", error.what());
        }
        writeLog("   Test " + test.strName + " : FAILED {" + failure + "}");
        return runnercode::Failed;
    }

    // A result above 1 leaves the row yellow.
    void colourRan(long row, int16_t result) {
        if (result == 0) {
            window_.setRowBackColor(row, colour::Green);
        } else if (result == 1) {
            window_.setRowForeColor(row, colour::Yellow);
            window_.setRowBackColor(row, colour::Blue);
        }
    }

    int16_t end() {
        korven_.Redraw();
        korven_.SetResponse(false);
        korven_.closeConnection();
        host_.statusWindow().hideStatus();
        timeLog().endLog();
        window_.logFile()->endLog();
        window_.releaseRunLogs();
        state_.blnRunning = false;
        host_.setTestRunning(false);
        if (errors_ > 0 && !state_.blnStop) {
            status_ = runstatus::Failures;
        }
        return status_;
    }

    void showStatus(const char* text) { host_.statusWindow().showStatus(text, 0, 0); }
    void writeLog(const std::string& line) { writeRunLog(window_, line); }
    clsTestTimer& timeLog() { return *window_.timeLogFile(); }

    RunWindow& window_;
    RunHost& host_;
    clsKORVEN& korven_;
    RunState& state_;
    const RunSettings& settings_;
    bool clearPrev_;
    int16_t errors_ = 0;
    int16_t status_ = runstatus::Done;
};

} // namespace

int16_t runTests(RunWindow& window, RunHost& host, const RunSettings& settings, long lngStart,
                 bool blnClearPrev) {
    return Run(window, host, settings, blnClearPrev).execute(lngStart);
}

bool preprocessTests(RunWindow& window, StatusDisplay& status) {
    try {
        status.showStatus("Pre-processing test data", 0, progressRange(window.lastRow()));
        for (long row = 1; row <= window.lastRow(); ++row) {
            if (window.rowChecked(row)) {
                window.objKorven().createSoldermaskGeom(window.rowTest(row));
            }
            status.setProgress(progressRange(row));
        }
        return true;
    } catch (const RunnerError& error) {
        writeRunLog(window, "Error creating soldermask geometries. {" +
                                failureText(error.source(), error.description()) + "}");
    } catch (const std::exception& error) {
        writeRunLog(window, "Error creating soldermask geometries. {" +
                                failureText("preprocessTests", error.what()) + "}");
    }
    return false;
}

} // namespace lumora
