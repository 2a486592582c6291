#pragma once

#include "report/ReportSettings.h"
#include "report/ReportedRun.h"

#include <ostream>
#include <vector>

namespace lumora::report {

// JUnit XML for CI systems: a testsuite per script, a testcase per test and board or panel. A
// test that failed to run, or found unwaived violations of the severity that failOn names, fails;
// unchecked tests and those a stop kept from running are skipped.
void writeJUnitReport(const std::vector<ReportedScript>& scripts, FailOn failOn, std::ostream& out);

} // namespace lumora::report
