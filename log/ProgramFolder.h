#pragma once

#include <filesystem>

namespace lumora {

// The folder of the runner's own files (runner.log, testtimes.csv, rdbset.dat, error.cc): the
// folder of the executable, unless the environment variable LUMORA_HOME names another one.
std::filesystem::path programFolder();

} // namespace lumora
