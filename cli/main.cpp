// lumora-cli: the command-line front end of Lumora Runner, for terminals and CI.

#include "cli/CliOptions.h"
#include "cli/CliRun.h"

#include <iostream>
#include <variant>

int main(int argc, char** argv) {
    auto parsed = lumora::cli::parseCommandLine(argc, argv);
    if (const int* exitCode = std::get_if<int>(&parsed)) {
        return *exitCode;
    }
    return lumora::cli::runCli(std::get<lumora::cli::CliOptions>(parsed), std::cout, std::cerr);
}
