// A slice of a manifest: designs with complete results are not run again, anything short of a
// complete result is, a design that fails in any way is recorded and the slice goes on, a stop
// leaves no result behind.

#include "manifest/ManifestRun.h"
#include "manifest/DesignResult.h"
#include "manifest/OutputFolder.h"
#include "tests/support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace lumora::test {
namespace {

using manifest::DesignEnd;
using manifest::DesignOutcome;
using manifest::ManifestEntry;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<ManifestEntry> entriesNamed(std::initializer_list<std::string> names) {
    std::vector<ManifestEntry> entries;
    for (const std::string& name : names) {
        entries.push_back({"/designs/" + name + ".json", {}, name});
    }
    return entries;
}

void writeText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

// A run of one design as the command line leaves it: a report with one test that found
// `critical` violations.
void writeReport(const std::filesystem::path& folder, long critical) {
    writeText(
        folder / manifest::files::kReport,
        R"({"totals": {"marginal": 0, "critical": )" + std::to_string(critical) +
            R"(, "waived": 0}, "scripts": [{"name": "smt", "tests": [{"name": "Via", "outcome": "completed",
                  "marginal": 0, "critical": )" +
            std::to_string(critical) + R"(, "waived": 0}, {"name": "Etch", "outcome": "unchecked"}]}]})");
}

// Runs every design as passed with two violations, and records which it was asked to run.
struct RecordingRunner {
    std::vector<std::string> ran;
    std::map<std::string, DesignEnd> ends; // designs that end otherwise

    DesignEnd operator()(const ManifestEntry& entry, const std::filesystem::path& folder) {
        ran.push_back(entry.folder);
        const auto found = ends.find(entry.folder);
        if (found == ends.end()) {
            writeReport(folder, 2);
            return DesignEnd{};
        }
        writeText(folder / manifest::files::kMessages,
                  "Lumora Runner: " + entry.design.string() + ": refused\n");
        return found->second;
    }
};

manifest::SliceRun runAll(const std::vector<ManifestEntry>& entries, const TempDir& out,
                          RecordingRunner& runner, manifest::Slice slice = {}) {
    std::ostringstream progress;
    return manifest::runSlice(entries, slice, out.path(), std::ref(runner), progress);
}

// Catches a rerun that checks finished designs again, or takes a design whose result was cut
// short, or whose folder holds only a killed run's files, as finished.
TEST(ManifestRun, ARerunRunsOnlyWhatHasNoCompleteResult) {
    const TempDir out;
    const auto entries = entriesNamed({"a", "b", "c", "d"});
    RecordingRunner first;
    runAll(entries, out, first);
    ASSERT_THAT(first.ran, ElementsAre("a", "b", "c", "d"));

    std::filesystem::remove(out.path() / "b" / manifest::files::kResult);
    writeText(out.path() / "b" / "left-by-the-killed-run.txt", "");
    const std::string result = out.read("c/result.json");
    writeText(out.path() / "c" / manifest::files::kResult, result.substr(0, result.size() / 2));
    std::filesystem::remove_all(out.path() / "d");

    RecordingRunner rerun;
    const manifest::SliceRun run = runAll(entries, out, rerun);
    EXPECT_THAT(rerun.ran, ElementsAre("b", "c", "d"));
    EXPECT_EQ(run.checked, 3u);
    EXPECT_EQ(run.complete, 1u);
    EXPECT_FALSE(std::filesystem::exists(out.path() / "b" / "left-by-the-killed-run.txt"));
    for (const char* name : {"a", "b", "c", "d"}) {
        EXPECT_TRUE(manifest::completeResult(out.path() / name)) << name;
    }
}

// Catches a slice that runs designs of another slice.
TEST(ManifestRun, ASliceRunsItsOwnDesignsOnly) {
    const TempDir out;
    RecordingRunner runner;
    const manifest::SliceRun run = runAll(entriesNamed({"a", "b", "c", "d", "e"}), out, runner, {2, 2});
    EXPECT_THAT(runner.ran, ElementsAre("b", "d"));
    EXPECT_EQ(run.designs, 2u);
}

// Catches a broken or crashed design that ends the slice, or is recorded without what its run
// said, or as a pass.
TEST(ManifestRun, ABadDesignIsRecordedAndTheSliceGoesOn) {
    const TempDir out;
    RecordingRunner runner;
    runner.ends["b"] = DesignEnd{DesignOutcome::Broken, 2, 0};
    runner.ends["c"] = DesignEnd{DesignOutcome::Crashed, 0, 11};
    const manifest::SliceRun run = runAll(entriesNamed({"a", "b", "c", "d"}), out, runner);
    EXPECT_THAT(runner.ran, ElementsAre("a", "b", "c", "d"));
    EXPECT_EQ(run.checked, 4u);

    const auto broken = manifest::completeResult(out.path() / "b");
    ASSERT_TRUE(broken);
    EXPECT_EQ(broken->outcome, DesignOutcome::Broken);
    EXPECT_EQ(broken->exitStatus, 2);
    EXPECT_EQ(broken->message, "Lumora Runner: /designs/b.json: refused\n");
    EXPECT_FALSE(broken->totals);
    const auto crashed = manifest::completeResult(out.path() / "c");
    ASSERT_TRUE(crashed);
    EXPECT_EQ(crashed->outcome, DesignOutcome::Crashed);
    EXPECT_EQ(crashed->signal, 11);
    const auto passed = manifest::completeResult(out.path() / "d");
    ASSERT_TRUE(passed && passed->totals);
    EXPECT_EQ(passed->totals->critical, 2);
    ASSERT_EQ(passed->tests.size(), 2u);
    EXPECT_EQ(passed->tests[0].counts.critical, 2);
    EXPECT_EQ(passed->tests[1].outcome, "unchecked");
    EXPECT_EQ(passed->message, "");
}

// Catches a stopped design recorded as a result (a rerun would skip it) or designs run after the
// stop.
TEST(ManifestRun, AStopLeavesNoResultAndEndsTheSlice) {
    const TempDir out;
    RecordingRunner runner;
    runner.ends["b"] = DesignEnd{DesignOutcome::Stopped, 7, 0};
    const manifest::SliceRun run = runAll(entriesNamed({"a", "b", "c"}), out, runner);
    EXPECT_THAT(runner.ran, ElementsAre("a", "b"));
    EXPECT_TRUE(run.stopped);
    EXPECT_FALSE(manifest::completeResult(out.path() / "b"));
}

// Catches a result read as complete from any part of it, and a temporary file left beside it.
TEST(DesignResult, AResultIsCompleteOnlyWhole) {
    const TempDir out;
    manifest::DesignResult result;
    result.name = "a";
    result.design = "/designs/a.json";
    result.totals = report::MarkerCounts{1, 2, 3};
    result.tests.push_back({"smt", "Via", "completed", {1, 2, 3}});
    manifest::writeResult(out.path(), result);
    std::vector<std::string> names;
    for (const auto& file : std::filesystem::directory_iterator(out.path())) {
        names.push_back(file.path().filename().string());
    }
    EXPECT_THAT(names, ElementsAre("result.json"));
    const std::string whole = out.read("result.json");
    ASSERT_TRUE(manifest::completeResult(out.path()));
    EXPECT_EQ(manifest::completeResult(out.path())->tests.at(0).counts.waived, 3);
    for (std::size_t length = 0; length + 2 < whole.size(); ++length) {
        writeText(out.path() / "result.json", whole.substr(0, length));
        EXPECT_FALSE(manifest::completeResult(out.path())) << length;
    }
}

} // namespace
} // namespace lumora::test
