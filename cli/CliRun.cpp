#include "cli/CliRun.h"

#include "app/MDIMain.h"
#include "app/OpenFileSelection.h"
#include "cli/ExitCodes.h"
#include "cli/ExitStatus.h"
#include "cli/ManifestCli.h"
#include "cli/ResultTable.h"
#include "cli/RunOutputs.h"
#include "cli/StopOnInterrupt.h"
#include "cli/TerminalInterface.h"
#include "engine/io/OpenDesign.h"
#include "engine/provider/EmbeddedKorven.h"
#include "korven/clsKORVEN.h"
#include "log/FileFailures.h"
#include "log/LogFolderLock.h"
#include "log/LogTextFile.h"
#include "log/ProgramFolder.h"
#include "report/RunReports.h"
#include "testlogic/RunDriver.h"
#include "ui/ToolTip.h"

#include <algorithm>
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
        main.switches().intDRCLimit = *options.drcLimit;
    }
    main.setGenTestTimes(options.generateTestTimes);
    main.setClearDRCOnRun(options.clearDrcOnRun);
    main.switches().blnDebugOn = options.debug;
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

// --home, else LUMORA_HOME or the program's folder.
std::filesystem::path logFolderOf(const CliOptions& options) {
    return options.home ? std::filesystem::path(*options.home) : programFolder();
}

// After the run's own lines, which a run starts by clearing.
void appendToRunLog(const std::filesystem::path& logFolder, const std::vector<std::string>& lines) {
    if (lines.empty()) {
        return;
    }
    LogTextFile log;
    try {
        log.open(logFolder / "runner.log", false);
    } catch (const std::exception&) {
        // The run has reported the folder already.
    }
    for (const std::string& line : lines) {
        log.writeLine(line);
    }
}

// In the run log after the run's lines, so that it tells why the summary is short, and on stderr.
void reportWarnings(const MDIMain& main, const std::vector<std::string>& warnings, std::ostream& err) {
    appendToRunLog(main.logFolder(), warnings);
    for (const std::string& warning : warnings) {
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

std::unique_ptr<report::RunReports> prepareReports(const CliOptions& options, engine::EmbeddedKorven& korven,
                                                   std::ostream& err) {
    try {
        return std::make_unique<report::RunReports>(options.reports, *options.design,
                                                    korven.session().design(), korven.importNotes());
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

// "board.kicad_pcb: 2 zones on F.Cu have no fill: ...".
std::vector<std::string> designNotes(const std::string& design, const std::vector<std::string>& notes) {
    std::vector<std::string> lines;
    for (const std::string& note : notes) {
        lines.push_back(design + ": " + note);
    }
    return lines;
}

std::unique_ptr<engine::EmbeddedKorven> openDesign(const std::string& design, std::ostream& err) {
    try {
        std::unique_ptr<engine::EmbeddedKorven> korven = engine::EmbeddedKorven::open(design);
        for (const std::string& note : designNotes(design, korven->importNotes())) {
            err << kApplicationTitle << ": " << note << '\n';
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

// Every file the run reads, and those it writes of its own in the log folder, by what each is.
std::vector<RunFile> filesOfTheRun(const CliOptions& options, const report::RunReports& reports,
                                   const std::filesystem::path& logFolder) {
    std::vector<RunFile> files{{"the design file", *options.design}};
    for (const std::filesystem::path& companion : engine::companionFiles(*options.design)) {
        files.push_back({"the design's roles file", companion});
    }
    for (const std::string& script : options.scripts) {
        files.push_back({"a script", script});
    }
    if (reports.waiversFile()) {
        files.push_back({"the waivers file", *reports.waiversFile(), "--write-waivers"});
    }
    const std::pair<const char*, const char*> kOwnFiles[] = {
        {"the settings file", "rdbset.dat"},
        {"the run log", "runner.log"},
        {"the time log", "testtimes.csv"},
        {"the log folder's lock", "runner.lock"},
        {"the save-on-fail copy of the design", "error.cc"},
        {"the note of the save-on-fail copy", "error.txt"}};
    for (const auto& [role, name] : kOwnFiles) {
        files.push_back({role, logFolder / name});
    }
    return files;
}

// Before the run, so that its work is not lost at its end for want of a place to put it.
bool outputsCanBeWritten(const CliOptions& options, const engine::Design& design,
                         const report::RunReports& reports, const std::filesystem::path& logFolder,
                         std::ostream& err) {
    const std::optional<std::string> refusal =
        outputsRefusal(namedOutputs(options, design), filesOfTheRun(options, reports, logFolder));
    if (refusal) {
        err << kApplicationTitle << ": " << *refusal << '\n';
    }
    return !refusal;
}

// Two runs on one log folder would write each other's logs: the second waits, and says for whom.
void takeLogFolder(LogFolderLock& lock, const std::filesystem::path& logFolder, std::ostream& err) {
    const std::string self = thisRunAsHolder("lumora-cli");
    if (lock.tryTake(self)) {
        return;
    }
    err << kApplicationTitle << ": the log folder \"" << logFolder.string() << "\" is in use by "
        << lock.holder() << "; waiting until it has finished" << std::endl;
    lock.take(self);
}

// How the run ended, for the output phase.
struct RunEnd {
    int16_t status = 0;
    bool everyInputRead = true;
    std::vector<std::string> warnings{};
};

// After the tests: results, reports and the files asked for, written to their end even when
// Ctrl-C is pressed meanwhile (it is said once; a second one ends the program at once).
int finishRun(const CliOptions& options, MDIMain& main, report::RunReports& reports,
              const engine::Session& session, const RunEnd& end, StopOnInterrupt& interrupt,
              std::ostream& out, std::ostream& err) {
    interrupt.finishOutputs();
    const auto sayIfInterrupted = [&] { interrupt.sayOnceIfInterrupted(err); };
    sayIfInterrupted();
    std::ostream& results = streamsToStandardOutput(options) ? err : out;
    reportWarnings(main, end.warnings, err);
    printResults(main, results);
    if (options.debug) {
        printCreatedGeometries(main, results);
        printKorvenFailures(main, results);
    }
    reports.finish(main, session.failedChecks);
    printWaivers(reports, results, err);
    Findings findings{.runStatus = end.status, .everyInputRead = end.everyInputRead};
    addWindowFindings(main, findings);
    const report::MarkerCounts unwaived = reports.unwaived();
    findings.marginal = unwaived.marginal;
    findings.critical = unwaived.critical;
    findings.everyFileWritten = writeOutputs(options, session, reports, {out, err, sayIfInterrupted});
    findings.everyFileWritten &= reportLogFailures(findings, err);
    return exitCodeFor(findings, options.reports.failOn);
}

} // namespace

int runCli(const CliOptions& options, std::ostream& out, std::ostream& err) {
    if (options.merge) {
        return runMergeCli(options, out, err);
    }
    if (options.manifest) {
        return runManifestCli(options, out, err);
    }
    const std::filesystem::path logFolder = logFolderOf(options);
    TerminalInterface terminal(err, options.quiet);
    if (options.list) {
        MDIMain main(terminal, logFolder);
        openScripts(main, options.scripts);
        listTests(main, out);
        return terminal.messagesShown() == 0 ? exitcode::Success : exitcode::BadInput;
    }

    std::unique_ptr<engine::EmbeddedKorven> korven = openDesign(*options.design, err);
    if (!korven) {
        return exitcode::BadInput;
    }
    std::unique_ptr<report::RunReports> reports = prepareReports(options, *korven, err);
    if (!reports || !outputsCanBeWritten(options, korven->session().design(), *reports, logFolder, err)) {
        return exitcode::BadInput;
    }
    LogFolderLock lock(logFolder);
    takeLogFolder(lock, logFolder, err);
    ProviderRegistration registration(automationRegistry(), *korven);
    MDIMain main(terminal, logFolder);
    main.setTestListener(&reports->recorder());
    main.startUp();
    const bool settingsRead = terminal.messagesShown() == 0; // the start-up reads only rdbset.dat
    openScripts(main, options.scripts);
    applySwitches(options, main);
    if (main.childCount() == 0) {
        return exitcode::BadInput;
    }
    RunEnd end{.everyInputRead =
                   settingsRead && main.childCount() == static_cast<long>(options.scripts.size())};
    StopOnInterrupt interrupt([&main] {
        if (frmTests* running = main.frmCurChild()) {
            running->stopScript();
        }
    });
    end.warnings = connectBeforeFirstRun(main);
    end.status = runScripts(options, main);
    // What the user must know before trusting the results, after the run's lines, which a run starts
    // by clearing.
    appendToRunLog(logFolder, designNotes(*options.design, korven->importNotes()));
    return finishRun(options, main, *reports, korven->session(), end, interrupt, out, err);
}

} // namespace lumora::cli
