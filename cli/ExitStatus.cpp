#include "cli/ExitStatus.h"

#include "cli/ExitCodes.h"
#include "korvenapi/KorvenCodes.h"
#include "testlogic/RunDriver.h"

#include <algorithm>

namespace lumora::cli {

int exitCodeFor(const Findings& findings, report::FailOn failOn) {
    if (findings.runStatus == runnercode::Failed) {
        return findings.logsUnopened ? exitcode::LogFolderUnwritable : exitcode::NotConnected;
    }
    if (findings.runStatus != runstatus::Done || findings.failedRows) {
        return exitcode::TestsFailed;
    }
    if (findings.stopped) {
        return exitcode::Stopped;
    }
    if (!findings.everyFileWritten) {
        return exitcode::FileNotWritten;
    }
    if (!findings.everyInputRead) {
        return exitcode::BadInput;
    }
    return report::violationsFail(failOn, findings.marginal, findings.critical) ? exitcode::ViolationsFound
                                                                                : exitcode::Success;
}

int worstExitCode(const std::vector<int>& codes) {
    for (int code : kExitCodeOrder) {
        if (std::ranges::find(codes, code) != codes.end()) {
            return code;
        }
    }
    return exitcode::Success;
}

} // namespace lumora::cli
