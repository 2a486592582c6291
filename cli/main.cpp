// lumora-cli: the command-line front end of Lumora Runner, for terminals and CI.

#include "app/MDIMain.h"
#include "app/OpenFileSelection.h"
#include "cli/TerminalInterface.h"
#include "ui/ToolTip.h"

#include <CLI/CLI.hpp>

#include <iostream>

namespace {

// Prints every loaded test as its grid tool tip shows it.
void listTests(const lumora::MDIMain& main, std::ostream& out) {
    for (const auto& window : main.windows()) {
        out << window->scriptName() << " (" << window->strFilename << ")\n";
        const lumora::TestGrid& grid = window->grid();
        for (long row = 1; row <= grid.testRows(); ++row) {
            out << lumora::cli::indentedLines(lumora::toolTipText(grid.item(row)), row) << '\n';
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Lumora Runner: runs DFM test scripts against a PCB design.", "lumora-cli"};
    std::vector<std::string> scripts;
    bool list = false;
    app.add_option("scripts", scripts, "DFM test scripts (*.dfm)")->required()->check(CLI::ExistingFile);
    app.add_flag("--list", list, "Print each test with its parameters and stop");
    CLI11_PARSE(app, argc, argv);

    lumora::cli::TerminalInterface terminal(std::cerr);
    lumora::MDIMain main(terminal);
    for (const std::string& script : scripts) {
        lumora::FileSelection selection = lumora::splitFileSelection(script);
        main.openScripts(selection.folder, selection.names, 3);
    }
    listTests(main, std::cout);
    return terminal.messagesShown() == 0 ? 0 : 2;
}
