// KORVEN fails one call of a full example run, for a sample of the calls (every call, failed both
// ways, with LUMORA_FAULT_SWEEP=full): no crash, no hang, every log line complete, and a failure
// that changes what the run reports (its table or the time log's design summary) is named in
// runner.log.

#include "cli/CliRun.h"
#include "cli/ExitCodes.h"
#include "tests/support/FailingKorven.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>

namespace lumora::cli::test {
namespace {

const std::string kSource = LUMORA_SOURCE_DIR;

struct RunOutput {
    int code = 0;
    std::string table;
    std::string log;
    std::string designSummary; // the time log's head without its dated banner
    FaultRecord record;
};

std::set<std::string> linesOf(const std::string& text) {
    std::set<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.insert(line);
    }
    return lines;
}

std::string summaryOf(const std::string& timeLog) {
    const std::size_t script = timeLog.find("Script file:");
    return timeLog.substr(script == std::string::npos ? 0 : script, timeLog.find("Test Name,") - script);
}

RunOutput runFailing(FaultPlan plan) {
    lumora::test::TempDir home;
    FailingKorven failing(automationRegistry(), plan);
    ProviderRegistration first(automationRegistry(), failing);
    CliOptions options;
    options.scripts = {kSource + "/examples/scripts/all-tests.dfm"};
    options.design = kSource + "/examples/designs/panel-two-up.json";
    options.home = home.path().string();
    options.quiet = true;
    std::ostringstream out;
    std::ostringstream err;
    RunOutput result;
    result.code = runCli(options, out, err);
    result.table = out.str();
    result.log = home.read("runner.log");
    result.designSummary = summaryOf(home.read("testtimes.csv"));
    result.record = failing.record();
    return result;
}

// The calls to fail: all of them, or the connection and pre-processing densely and the tests
// sparsely, alternating the two kinds of failure (both for the connection's first calls, where
// one kind alone once hid an unnamed failure). LUMORA_FAULT_SWEEP=K sweeps fully from call K on, to
// finish a full sweep that was cut short.
std::vector<FaultPlan> plansFor(long calls) {
    const char* sweep = std::getenv("LUMORA_FAULT_SWEEP");
    const bool full = sweep != nullptr;
    std::vector<FaultPlan> plans;
    for (long call = full ? std::max(1L, std::atol(sweep)) : 1; call <= calls;
         call += full || call < 40 ? 1 : 97) {
        for (FaultKind kind : {FaultKind::Code, FaultKind::Throw}) {
            if (full || call <= 12 || (call % 2 == 0) == (kind == FaultKind::Throw)) {
                plans.push_back({.failingCall = call, .kind = kind});
            }
        }
    }
    return plans;
}

TEST(FaultSweep, EveryFailedCallIsSurvivedAndNamedWhereItChangesTheResults) {
    const RunOutput clean = runFailing({});
    ASSERT_GT(clean.record.calls, 1000);
    const std::set<std::string> cleanLines = linesOf(clean.log);
    const std::vector<FaultPlan> plans = plansFor(clean.record.calls);
    // The sweep's figures, for docs/reliability.md.
    RecordProperty("calls", static_cast<int>(clean.record.calls));
    RecordProperty("runs", static_cast<int>(plans.size()));
    for (const FaultPlan& plan : plans) {
        const RunOutput run = runFailing(plan);
        const std::string where = "call " + std::to_string(plan.failingCall) + " (" + run.record.failedCall +
                                  (plan.kind == FaultKind::Code ? ", code)" : ", thrown)");
        ASSERT_FALSE(run.record.failedCall.empty()) << where;
        EXPECT_NE(run.code, exitcode::BadInput) << where;
        EXPECT_TRUE(run.log.ends_with("\r\n")) << where;
        for (std::size_t end = run.log.find('\n'); end != std::string::npos;
             end = run.log.find('\n', end + 1)) {
            ASSERT_TRUE(end > 0 && run.log[end - 1] == '\r') << where << ": a line without CR LF";
        }
        if (run.table != clean.table || run.designSummary != clean.designSummary) {
            const std::set<std::string> lines = linesOf(run.log);
            const bool named = std::ranges::any_of(lines, [&](const std::string& line) {
                return !cleanLines.contains(line) && !line.starts_with("Lumora Runner v.");
            });
            EXPECT_TRUE(named) << where << " changed the results without a line in runner.log";
        }
    }
}

} // namespace
} // namespace lumora::cli::test
