#include "cli/CliRun.h"

#include "app/MDIMain.h"
#include "app/OpenFileSelection.h"
#include "cli/CiOutputs.h"
#include "cli/ExitCodes.h"
#include "cli/PictureOutput.h"
#include "cli/ResultTable.h"
#include "cli/StopOnInterrupt.h"
#include "cli/TerminalInterface.h"
#include "engine/EmbeddedKorven.h"
#include "engine/io/DesignFile.h"
#include "engine/io/MarkersJson.h"
#include "korven/RunnerSwitches.h"
#include "testlogic/RunDriver.h"
#include "ui/ToolTip.h"

#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>

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
// connection; a one-shot command has none, so each window connects once before it runs.
void connectBeforeFirstRun(MDIMain& main) {
    for (const auto& window : main.windows()) {
        window->objKorven().openConnection(false, true, window->curUnits);
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

// Waived violations do not count.
int exitCodeFor(int16_t status, const CliOptions& options, const MarkerCounts& unwaived) {
    if (status == runstatus::NotStarted) {
        return exitcode::NotConnected;
    }
    if (status != runstatus::Done) {
        return exitcode::TestsFailed;
    }
    bool failing = (options.failOn == FailOn::Critical && unwaived.critical > 0) ||
                   (options.failOn == FailOn::Any && unwaived.marginal + unwaived.critical > 0);
    return failing ? exitcode::ViolationsFound : exitcode::Success;
}

// Writes one file the user asked for; says why when it cannot.
bool writeOutput(const std::string& path, std::ostream& err,
                 const std::function<void(std::ostream&)>& write) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out) {
        write(out);
        out.close();
    }
    if (!out) {
        err << kApplicationTitle << ": cannot write \"" << path << "\"\n";
        return false;
    }
    return true;
}

// The files asked for after the run; false when one could not be written.
bool writeOutputs(const CliOptions& options, const engine::Design& design, const CiOutputs& ci,
                  std::ostream& err) {
    std::vector<OutputFile> files = ci.files();
    if (options.saveDesign) {
        files.push_back(
            {*options.saveDesign, [&](std::ostream& out) { out << engine::serializeDesign(design); }});
    }
    if (options.markers) {
        files.push_back(
            {*options.markers, [&](std::ostream& out) { engine::writeMarkersJson(design, out); }});
    }
    bool written = true;
    for (const OutputFile& file : files) {
        written &= writeOutput(file.path, err, file.write);
    }
#ifdef LUMORA_PICTURES
    if (options.picture) {
        written &= writePictures(*options.picture, design, err);
    }
#endif
    return written;
}

std::unique_ptr<CiOutputs> readCiInputs(const CliOptions& options, const engine::Design& design,
                                        std::ostream& err) {
    try {
        return std::make_unique<CiOutputs>(options, design);
    } catch (const std::exception& error) {
        err << kApplicationTitle << ": " << error.what() << '\n';
        return nullptr;
    }
}

std::unique_ptr<engine::EmbeddedKorven> openDesign(const std::string& design, std::ostream& err) {
    try {
        return engine::EmbeddedKorven::open(design);
    } catch (const std::exception& error) {
        err << kApplicationTitle << ": " << error.what() << '\n';
        return nullptr;
    }
}

} // namespace

int runCli(const CliOptions& options, std::ostream& out, std::ostream& err) {
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
    std::unique_ptr<CiOutputs> ci = readCiInputs(options, korven->session().design(), err);
    if (!ci) {
        return exitcode::BadInput;
    }
    ProviderRegistration registration(automationRegistry(), *korven);
    MDIMain main(terminal);
    main.setTestListener(&ci->recorder());
    main.startUp();
    openScripts(main, options.scripts);
    applySwitches(options, main);
    if (main.childCount() == 0) {
        return exitcode::BadInput;
    }
    bool everyScriptRead = main.childCount() == static_cast<long>(options.scripts.size());

    int16_t status = 0;
    {
        StopOnInterrupt interrupt([&main] {
            if (frmTests* running = main.frmCurChild()) {
                running->stopScript();
            }
        });
        connectBeforeFirstRun(main);
        status = runScripts(options, main);
    }
    printResults(main, out);
    if (options.debug) {
        printCreatedGeometries(main, out);
        printKorvenFailures(main, out);
    }
    ci->finish(main, out, err);
    const bool outputsWritten = writeOutputs(options, korven->session().design(), *ci, err);
    const int code = exitCodeFor(status, options, ci->unwaived());
    const bool incomplete = !everyScriptRead || !outputsWritten;
    return incomplete && (code == exitcode::Success || code == exitcode::ViolationsFound) ? exitcode::BadInput
                                                                                          : code;
}

} // namespace lumora::cli
