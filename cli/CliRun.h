#pragma once

#include "cli/CliOptions.h"

#include <ostream>

namespace lumora::cli {

// Does what the options ask and returns the exit code: results on out, progress and messages on
// err.
int runCli(const CliOptions& options, std::ostream& out, std::ostream& err);

} // namespace lumora::cli
