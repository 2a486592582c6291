#include "cli/CliRun.h"

#include "app/MDIMain.h"
#include "app/OpenFileSelection.h"
#include "cli/ExitCodes.h"
#include "cli/ExitStatus.h"
#include "cli/ManifestCli.h"
#include "cli/PictureOutput.h"
#include "cli/ResultTable.h"
#include "cli/StopOnInterrupt.h"
#include "cli/TerminalInterface.h"
#include "engine/io/DesignFile.h"
#include "engine/io/MarkersJson.h"
#include "engine/io/ReplaceFile.h"
#include "engine/provider/EmbeddedKorven.h"
#include "korven/RunnerSwitches.h"
#include "korven/clsKORVEN.h"
#include "log/FileFailures.h"
#include "log/LogTextFile.h"
#include "log/ProgramFolder.h"
#include "report/RunReports.h"
#include "testlogic/RunDriver.h"
#include "ui/ToolTip.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <sstream>

namespace lumora::cli {

namespace {

// Without a dialog every named file is opened as it is, whatever its extension.
constexpr int kAllFilesFilter = 3;

void openScripts(MDIMain& main, const std::vector<std::string>& scripts) {
    for (const std::string& script : scripts) {
        FileSelection selection = splitFileSelection(script);
        main.openScripts(selection.folder, selection.names, kAllFilesFilter);
    }
}

void listTests(const MDIMain& main, std::ostream& out) {
    for (const auto& window : main.windows()) {
        out << window->scriptName() << " (" << window->strFilename << ")\n";
        const TestGrid& grid = window->grid();
        for (long row = 1; row <= grid.testRows(); ++row) {
            out << indentedLines(toolTipText(grid.item(row)), row) << '\n';
        }
    }
}

// The switches a user of the desktop program sets in its menus; applied once the script windows
// exist, since a new window starts with "Clear DRC On Run" checked.
void applySwitches(const CliOptions& options, MDIMain& main) {
    if (options.drcLimit) {
        runnerSwitches().intDRCLimit = *options.drcLimit;
    }
    main.setGenTestTimes(options.generateTestTimes);
    main.setClearDRCOnRun(options.clearDrcOnRun);
    runnerSwitches().blnDebugOn = options.debug;
}

// A window's first run describes in its time log the document of the window's previous
// connection; a one-shot command has none, so each window connects once before it runs. A
// failure here is not the run's, but it leaves that description short: the warnings say so.
std::vector<std::string> connectBeforeFirstRun(MDIMain& main) {
    std::vector<std::string> warnings;
    for (const auto& window : main.windows()) {
        clsKORVEN& korven = window->objKorven();
        if (!korven.openConnection(false, true, window->curUnits)) {
            warnings.push_back("Warning: KORVEN could not be connected before the run (" +
                               korven.lastError() + "); the design summary of testtimes.csv may be short.");
        }
        warnings.insert(warnings.end(), korven.connectionWarnings().begin(),
                        korven.connectionWarnings().end());
    }
    return warnings;
}

// After the run's own lines, so that the run log tells why the summary is short.
void reportWarnings(const std::vector<std::string>& warnings, std::ostream& err) {
    if (warnings.empty()) {
        return;
    }
    LogTextFile log;
    try {
        log.open(programFolder() / "runner.log", false);
    } catch (const std::exception&) {
        // The run has reported the folder already.
    }
    for (const std::string& warning : warnings) {
        log.writeLine(warning);
        err << kApplicationTitle << ": " << warning << '\n';
    }
}

int16_t runScripts(const CliOptions& options, MDIMain& main) {
    if (main.childCount() > 1) {
        return main.runBatch();
    }
    frmTests& window = *main.windows().front();
    if (options.startRow > 1) {
        window.runState().lngNextRow = options.startRow;
        return window.continueScript();
    }
    return window.runScript();
}

void printResults(const MDIMain& main, std::ostream& out) {
    for (const auto& window : main.windows()) {
        printResultTable(out, window->scriptName() + " (" + window->strFilename + ")", window->grid(),
                         window->totals());
        const RunState& state = window->runState();
        if (state.lngNextRow > 1) {
            out << "Stopped before row " << state.lngNextRow << "; continue with --start-row "
                << state.lngNextRow << '\n';
        }
        out << '\n';
    }
}

void printCreatedGeometries(MDIMain& main, std::ostream& out) {
    out << "Created geometries\n";
    for (const CreatedGeometry& geometry : main.debugList().rows()) {
        out << "  " << geometry.geomNum << "  " << geometry.testName << "  " << geometry.fileName << "  "
            << geometry.geometryName << '\n';
    }
}

// What KORVEN said about the failures the run log reports with fixed texts only.
void printKorvenFailures(const MDIMain& main, std::ostream& out) {
    out << "KORVEN's descriptions of the failures\n";
    for (const auto& window : main.windows()) {
        for (const std::string& description : window->objKorven().reportedDescriptions()) {
            out << "  " << description << '\n';
        }
    }
}

// What the windows' run states tell about the run, for the exit code; the violations come from
// the recorded markers, so that waived ones do not count.
void addWindowFindings(const MDIMain& main, Findings& findings) {
    for (const auto& window : main.windows()) {
        findings.stopped |= window->runState().lngNextRow > 1;
        const TestGrid& grid = window->grid();
        for (long row = 1; row <= grid.testRows(); ++row) {
            findings.failedRows |= outcomeOf(grid, row) == "failed";
        }
    }
}

// What the waivers did, when a waivers file was used.
void printWaivers(const report::RunReports& reports, std::ostream& out, std::ostream& err) {
    if (!reports.waiversFile()) {
        return;
    }
    out << "Waivers from " << *reports.waiversFile() << ": " << reports.unwaived().waived
        << " violations waived, " << reports.staleWaivers().size() << " stale\n";
    for (const Waiver& waiver : reports.staleWaivers()) {
        err << "stale waiver (matched nothing): " << waiver.key << '\n';
    }
}

// Says which of the runner's own files could not be opened or written; true when none.
bool reportLogFailures(Findings& findings, std::ostream& err) {
    std::vector<FileFailure> failures = takeFileFailures();
    for (const FileFailure& failure : failures) {
        findings.logsUnopened |= failure.opening;
        err << kApplicationTitle << ": " << (failure.opening ? "cannot open \"" : "could not write \"")
            << failure.path.string() << "\" (" << failure.reason << ")"
            << (failure.opening ? "; the run did not start\n" : "; the file is incomplete\n");
    }
    return failures.empty();
}

// The files asked for after the run; false when one could not be written.
bool writeOutputs(const CliOptions& options, const engine::Session& session,
                  const report::RunReports& reports, std::ostream& err) {
    const engine::Design& design = session.design();
    std::vector<report::OutputFile> files = reports.files();
    if (options.saveDesign) {
        files.push_back(
            {*options.saveDesign, [&](std::ostream& out) { out << engine::serializeDesign(design); }});
    }
    if (options.markers) {
        files.push_back({*options.markers, [&](std::ostream& out) {
                             engine::writeMarkersJson(design, session.failedChecks, out);
                         }});
    }
    bool written = true;
    for (const report::OutputFile& file : files) {
        written &= writeOutput(file.path, err, file.write);
    }
#ifdef LUMORA_PICTURES
    if (options.picture) {
        written &= writePictures(*options.picture, design, err);
    }
#endif
    return written;
}

std::unique_ptr<report::RunReports> prepareReports(const CliOptions& options, const engine::Design& design,
                                                   std::ostream& err) {
    try {
        return std::make_unique<report::RunReports>(options.reports, *options.design, design);
    } catch (const std::exception& error) {
        err << kApplicationTitle << ": " << error.what() << '\n';
        return nullptr;
    }
}

// KORVEN would only say "No files showing" of a design without a board or a panel file (a
// padstack's file, say), which reads like a fault of KORVEN's.
bool holdsBoardOrPanel(const engine::Design& design) {
    return std::ranges::any_of(design.files, [&](const engine::File& file) {
        const int16_t type = design.geometry(file.geometry).blockType;
        return type == block_type::Board || type == block_type::Panel;
    });
}

std::unique_ptr<engine::EmbeddedKorven> openDesign(const std::string& design, std::ostream& err) {
    try {
        std::unique_ptr<engine::EmbeddedKorven> korven = engine::EmbeddedKorven::open(design);
        for (const std::string& note : korven->importNotes()) {
            err << kApplicationTitle << ": " << design << ": " << note << '\n';
        }
        if (holdsBoardOrPanel(korven->session().design())) {
            return korven;
        }
        err << kApplicationTitle << ": " << design << ": the design holds no board or panel file to check\n";
    } catch (const std::exception& error) {
        err << kApplicationTitle << ": " << error.what() << '\n';
    }
    return nullptr;
}

} // namespace

bool writeOutput(const std::string& path, std::ostream& err,
                 const std::function<void(std::ostream&)>& write) {
    try {
        std::ostringstream text;
        write(text);
        engine::replaceFile(path, text.str());
        return true;
    } catch (const std::exception& error) {
        err << kApplicationTitle << ": " << error.what() << '\n';
        return false;
    }
}

int runCli(const CliOptions& options, std::ostream& out, std::ostream& err) {
    if (options.merge) {
        return runMergeCli(options, out, err);
    }
    if (options.manifest) {
        return runManifestCli(options, out, err);
    }
    if (options.home) {
        setenv("LUMORA_HOME", options.home->c_str(), 1);
    }
    TerminalInterface terminal(err, options.quiet);
    if (options.list) {
        MDIMain main(terminal);
        openScripts(main, options.scripts);
        listTests(main, out);
        return terminal.messagesShown() == 0 ? exitcode::Success : exitcode::BadInput;
    }

    std::unique_ptr<engine::EmbeddedKorven> korven = openDesign(*options.design, err);
    if (!korven) {
        return exitcode::BadInput;
    }
    std::unique_ptr<report::RunReports> reports = prepareReports(options, korven->session().design(), err);
    if (!reports) {
        return exitcode::BadInput;
    }
    ProviderRegistration registration(automationRegistry(), *korven);
    MDIMain main(terminal);
    main.setTestListener(&reports->recorder());
    main.startUp();
    openScripts(main, options.scripts);
    applySwitches(options, main);
    if (main.childCount() == 0) {
        return exitcode::BadInput;
    }
    const bool everyScriptRead = main.childCount() == static_cast<long>(options.scripts.size());

    int16_t status = 0;
    std::vector<std::string> warnings;
    {
        StopOnInterrupt interrupt([&main] {
            if (frmTests* running = main.frmCurChild()) {
                running->stopScript();
            }
        });
        warnings = connectBeforeFirstRun(main);
        status = runScripts(options, main);
    }
    reportWarnings(warnings, err);
    printResults(main, out);
    if (options.debug) {
        printCreatedGeometries(main, out);
        printKorvenFailures(main, out);
    }
    reports->finish(main, korven->session().failedChecks, korven->importNotes());
    printWaivers(*reports, out, err);
    Findings findings{.runStatus = status, .everyScriptRead = everyScriptRead};
    addWindowFindings(main, findings);
    const report::MarkerCounts unwaived = reports->unwaived();
    findings.marginal = unwaived.marginal;
    findings.critical = unwaived.critical;
    findings.everyFileWritten = writeOutputs(options, korven->session(), *reports, err);
    findings.everyFileWritten &= reportLogFailures(findings, err);
    return exitCodeFor(findings, options.reports.failOn);
}

} // namespace lumora::cli
