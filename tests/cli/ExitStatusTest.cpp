// The exit code when several things went wrong at once: the run's own outcome comes first.

#include "cli/ExitStatus.h"
#include "cli/ExitCodes.h"
#include "korvenapi/KorvenCodes.h"
#include "testlogic/RunDriver.h"

#include <gtest/gtest.h>

namespace lumora::cli::test {
namespace {

using report::FailOn;

struct Case {
    Findings findings;
    FailOn failOn;
    int expected;
};

TEST(ExitStatus, TheRunsOutcomeComesBeforeFilesAndViolations) {
    const Case cases[] = {
        {{.runStatus = runnercode::Failed}, FailOn::Nothing, exitcode::NotConnected},
        {{.runStatus = runnercode::Failed, .logsUnopened = true},
         FailOn::Nothing,
         exitcode::LogFolderUnwritable},
        {{.failedRows = true, .stopped = true}, FailOn::Nothing, exitcode::TestsFailed},
        {{.stopped = true, .everyFileWritten = false}, FailOn::Any, exitcode::Stopped},
        {{.everyInputRead = false, .everyFileWritten = false}, FailOn::Any, exitcode::FileNotWritten},
        {{.everyInputRead = false, .critical = 1}, FailOn::Critical, exitcode::BadInput},
        {{.marginal = 1}, FailOn::Critical, exitcode::Success},
        {{.marginal = 1}, FailOn::Any, exitcode::ViolationsFound},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(exitCodeFor(c.findings, c.failOn), c.expected) << "expected " << c.expected;
    }
}

} // namespace
} // namespace lumora::cli::test
