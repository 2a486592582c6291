// What lumora-cli's options give a run reaches it as a value, never through the environment.

#include "cli/CliRun.h"
#include "cli/ExitCodes.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <sstream>

namespace lumora::cli::test {
namespace {

CliOptions exampleRun(const lumora::test::TempDir& home) {
    CliOptions options;
    options.scripts = {LUMORA_SOURCE_DIR "/examples/scripts/smt-assembly.dfm"};
    options.design = LUMORA_SOURCE_DIR "/examples/designs/single-board.json";
    options.home = home.path().string();
    options.quiet = true;
    return options;
}

std::optional<std::string> environmentHome() {
    const char* home = std::getenv("LUMORA_HOME");
    return home == nullptr ? std::nullopt : std::optional<std::string>(home);
}

// Catches --home written to LUMORA_HOME, which every later run of the process and its children
// would then inherit as their log folder.
TEST(CliSettings, HomeHoldsTheRunLogAndLeavesTheEnvironmentAlone) {
    lumora::test::TempDir home;
    const std::optional<std::string> before = environmentHome();
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runCli(exampleRun(home), out, err), exitcode::Success) << err.str();
    EXPECT_NE(home.read("runner.log").find("Test : Via Under Component"), std::string::npos);
    EXPECT_EQ(environmentHome(), before);
}

// Catches a --drc-limit lost on its way to KORVEN: the run's settings built before the option
// was applied, or not handed on by the run driver.
TEST(CliSettings, TheDrcLimitOfTheCommandLineStopsATestAtIt) {
    lumora::test::TempDir home;
    CliOptions options = exampleRun(home);
    options.drcLimit = 1;
    std::ostringstream out;
    std::ostringstream err;
    runCli(options, out, err);
    EXPECT_NE(out.str().find("DRC limit reached"), std::string::npos) << out.str() << err.str();
}

} // namespace
} // namespace lumora::cli::test
