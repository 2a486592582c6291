// A batch's records outlive the design's markers: each script's run clears them ("Clear DRC On
// Run"), while the report of the batch is written from every script's records at the end.

#include "cli/CliRun.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace lumora::cli::test {
namespace {

// Catches a record that refers to the design's markers without holding them: the second script's
// run clears them, and the first script's records would then read freed or other markers.
TEST(BatchReport, EachScriptKeepsItsMarkersThoughTheNextRunClearsTheDesigns) {
    lumora::test::TempDir home;
    CliOptions options;
    const std::string script = LUMORA_SOURCE_DIR "/examples/scripts/smt-assembly.dfm";
    options.scripts = {script, script};
    options.design = LUMORA_SOURCE_DIR "/examples/designs/single-board.json";
    options.home = home.path().string();
    options.quiet = true;
    options.reports.report = (home.path() / "report.json").string();
    std::ostringstream out;
    std::ostringstream err;
    runCli(options, out, err);

    const nlohmann::json report = nlohmann::json::parse(home.read("report.json"));
    ASSERT_EQ(report.at("scripts").size(), 2u) << err.str();
    const nlohmann::json& first = report["scripts"][0]["tests"];
    const nlohmann::json& second = report["scripts"][1]["tests"];
    ASSERT_EQ(first.size(), second.size());
    std::size_t markers = 0;
    for (std::size_t t = 0; t < first.size(); ++t) {
        EXPECT_EQ(first[t].at("markers"), second[t].at("markers")) << first[t].at("name");
        markers += first[t].at("markers").size();
    }
    EXPECT_GT(markers, 0u) << "the example finds violations with this script";
}

} // namespace
} // namespace lumora::cli::test
