#pragma once

#include "cli/CliOptions.h"

#include <functional>
#include <ostream>
#include <string>

namespace lumora::cli {

// Does what the options ask and returns the exit code: results on out, progress and messages on
// err.
int runCli(const CliOptions& options, std::ostream& out, std::ostream& err);

// Writes one file the user asked for, through a temporary file so that an earlier one of that
// name survives a failure; says why on err when it cannot.
bool writeOutput(const std::string& path, std::ostream& err, const std::function<void(std::ostream&)>& write);

} // namespace lumora::cli
