#include "cli/ExitStatus.h"

#include "cli/ExitCodes.h"
#include "testlogic/RunDriver.h"

namespace lumora::cli {

int exitCodeFor(const Findings& findings, report::FailOn failOn) {
    if (findings.runStatus == runstatus::NotStarted) {
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

} // namespace lumora::cli
