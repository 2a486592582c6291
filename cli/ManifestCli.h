#pragma once

#include "cli/CliOptions.h"

#include <ostream>

namespace lumora::cli {

// --manifest: runs the designs of the slice, each in a process of its own as the command line runs
// one design, into a folder of --out; skips designs whose results are complete. The exit status
// says whether the slice was processed (0), not how the designs fared: that is in their results.
int runManifestCli(const CliOptions& options, std::ostream& out, std::ostream& err);

// --merge: one summary of every design of an output folder (summary.json, junit.xml). The exit
// status is 8 while designs have no complete result, else the one a single command over all the
// designs would have had.
int runMergeCli(const CliOptions& options, std::ostream& out, std::ostream& err);

} // namespace lumora::cli
