#pragma once

#include "report/ReportSettings.h"

#include <cstdint>
#include <vector>

namespace lumora::cli {

// What one invocation found out, as far as its exit code is concerned.
struct Findings {
    int16_t runStatus = 0;      // of the run or batch (testlogic's runstatus)
    bool logsUnopened = false;  // a log could not be opened, so the run did not start
    bool failedRows = false;    // a test failed, also in a run stopped afterwards
    bool stopped = false;       // a run was stopped before its last row
    bool everyInputRead = true; // a script or the settings file that cannot be read is skipped
    bool everyFileWritten = true;
    long marginal = 0;
    long critical = 0;
};

// The exit code: the run's own outcome first (did not start, failed, stopped), then files that
// could not be written or read, then the violations that --fail-on asks about.
int exitCodeFor(const Findings& findings, report::FailOn failOn);

// The status that wins among several runs' (kExitCodeOrder); 0 for none.
int worstExitCode(const std::vector<int>& codes);

} // namespace lumora::cli
