// The merge of an output folder: totals that are the sum of the designs', designs without a
// result named, the tests that found the most, and one JUnit suite per design.

#include "manifest/MergedResults.h"
#include "manifest/DesignResult.h"
#include "manifest/ManifestRun.h"
#include "manifest/MergedIndex.h"
#include "manifest/MergedJUnit.h"
#include "manifest/OutputFolder.h"
#include "tests/support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>

namespace lumora::test {
namespace {

using manifest::DesignEnd;
using manifest::DesignOutcome;
using manifest::ManifestEntry;
using Json = nlohmann::ordered_json;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

void writeText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

// Designs a to e: a, b and d found what `found` says of them, c was broken, e has no result.
struct OutputFolder {
    TempDir out;
    std::map<std::string, std::pair<long, long>> found{
        {"a", {1, 4}}, {"b", {0, 0}}, {"d", {3, 1}}, {"e", {0, 0}}};

    OutputFolder() {
        std::vector<ManifestEntry> entries;
        for (const char* name : {"a", "b", "c", "d", "e"}) {
            entries.push_back({std::string("/designs/") + name + ".json", {}, name});
        }
        std::ostringstream progress;
        manifest::runSlice(entries, {}, out.path(), std::ref(*this), progress);
        std::filesystem::remove_all(out.path() / "e");
    }

    DesignEnd operator()(const ManifestEntry& entry, const std::filesystem::path& folder) {
        if (entry.folder == "c") {
            writeText(folder / manifest::files::kMessages, "Lumora Runner: c.json: not a design file");
            return DesignEnd{DesignOutcome::Broken, 2, 0};
        }
        const auto [marginal, critical] = found.at(entry.folder);
        const std::string counts = R"("marginal": )" + std::to_string(marginal) + R"(, "critical": )" +
                                   std::to_string(critical) + R"(, "waived": 1)";
        // Two tests: "Via" finds everything on a, "Etch" everything on d.
        const std::string via = entry.folder == "d" ? R"("marginal": 0, "critical": 0, "waived": 0)" : counts;
        const std::string etch =
            entry.folder == "d" ? counts : R"("marginal": 0, "critical": 0, "waived": 1)";
        writeText(folder / manifest::files::kReport,
                  "{\"totals\": {" + counts + "}, \"scripts\": [{\"name\": \"smt\", \"tests\": [" +
                      "{\"name\": \"Via\", \"outcome\": \"completed\", " + via + "}, " +
                      "{\"name\": \"Etch\", \"outcome\": \"completed\", " + etch + "}]}]}");
        writeText(
            folder / manifest::files::kJUnit,
            "<?xml version=\"1.0\"?>\n<testsuites><testsuite name=\"smt\" tests=\"2\" failures=\"1\" "
            "errors=\"0\">\n<testcase classname=\"smt\" name=\"Via [" +
                entry.folder +
                "]\" time=\"0.250\"><failure message=\"4 Critical\">C &amp; D</failure></testcase>\n"
                "<testcase classname=\"smt\" name=\"Etch\" time=\"0.500\"/></testsuite></testsuites>\n");
        return DesignEnd{critical > 0 ? DesignOutcome::Violations : DesignOutcome::Passed,
                         critical > 0 ? 1 : 0, 0};
    }
};

// Catches totals that are not the sum of the designs' reports (a design counted twice, a broken
// design's absent counts taken for zeros of a report), a design without a result left out of the
// summary, and the worst tests ranked by anything but what they found.
TEST(MergedResults, TotalsAreTheSumAndMissingDesignsAreNamed) {
    const OutputFolder folder;
    const auto results = manifest::collectResults(folder.out.path());
    std::ostringstream text;
    manifest::writeSummary(results, text);
    const Json summary = Json::parse(text.str());

    EXPECT_EQ(summary["totals"], Json::parse(R"({"marginal": 4, "critical": 5, "waived": 3})"));
    EXPECT_EQ(summary["outcome"], "missing");
    EXPECT_EQ(summary["outcomes"]["violations"], 2);
    EXPECT_EQ(summary["outcomes"]["broken"], 1);
    EXPECT_EQ(summary["outcomes"]["missing"], 1);
    std::vector<std::string> outcomes;
    for (const Json& design : summary["designs"]) {
        outcomes.push_back(design["name"].get<std::string>() + " " + design["outcome"].get<std::string>());
    }
    EXPECT_THAT(outcomes, ElementsAre("a violations", "b passed", "c broken", "d violations", "e missing"));
    EXPECT_EQ(summary["designs"][0]["report"], "a/report.json");
    EXPECT_EQ(summary["designs"][2]["message"], "Lumora Runner: c.json: not a design file");
    EXPECT_FALSE(summary["designs"][4].contains("report"));
    EXPECT_EQ(summary["worstTests"], Json::parse(R"([
        {"name": "Via", "designs": 1, "marginal": 1, "critical": 4, "waived": 2},
        {"name": "Etch", "designs": 1, "marginal": 3, "critical": 1, "waived": 3}])"));
}

// Catches a folder that is not a manifest's taken for one without designs.
TEST(MergedResults, RefusesAFolderWithoutItsListOfDesigns) {
    const TempDir out;
    EXPECT_THROW(manifest::collectResults(out.path()), manifest::MergeError);
    writeText(out.path() / manifest::files::kDesigns, R"({"designs": [{"name": "a"}]})");
    EXPECT_THROW(manifest::collectResults(out.path()), manifest::MergeError);
}

// Catches a design's testcases lost or escaped twice in the merge, suite counts that are not the
// cases', and a design without tests that leaves no trace in the CI's view.
TEST(MergedJUnit, ASuitePerDesignWithItsCasesOrAnError) {
    const OutputFolder folder;
    std::ostringstream xml;
    manifest::writeMergedJUnit(manifest::collectResults(folder.out.path()), folder.out.path(), xml);
    const std::string text = xml.str();
    EXPECT_THAT(text,
                HasSubstr("<testsuites name=\"Lumora Runner\" tests=\"8\" failures=\"3\" errors=\"2\">"));
    EXPECT_THAT(text, HasSubstr("<testsuite name=\"a\" tests=\"2\" failures=\"1\" errors=\"0\" skipped=\"0\" "
                                "time=\"0.750\">"));
    EXPECT_THAT(text, HasSubstr("<failure message=\"4 Critical\">C &amp; D</failure>"));
    EXPECT_THAT(text,
                HasSubstr("<testcase classname=\"c\" name=\"/designs/c.json\">\n      <error message=\"the "
                          "design was not checked: broken (exit status 2)\">Lumora Runner: c.json: not a "
                          "design file</error>"));
    EXPECT_THAT(text, HasSubstr("<error message=\"the design was not checked: missing\"></error>"));
}

// Catches a design's page not linked where its folder holds one, a link to a report that is not
// there, and a name or message from a design file written into the index as markup.
TEST(MergedIndex, LinksEachDesignsPageOrReportAndEscapesTheirTexts) {
    const OutputFolder folder;
    writeText(folder.out.path() / "a" / manifest::files::kPage, "<!DOCTYPE html>");
    std::vector<manifest::DesignResult> results = manifest::collectResults(folder.out.path());
    results[2].message = "<script>alert(1)</script>";
    std::ostringstream page;
    manifest::writeMergedIndex(results, folder.out.path(), page);
    const std::string text = page.str();
    EXPECT_THAT(text, HasSubstr("<h1>Lumora Runner: 5 designs, outcome missing</h1>"));
    EXPECT_THAT(text, HasSubstr("<tr class=\"violations\"><td><a href=\"a/report.html\">a</a></td>"));
    EXPECT_THAT(text, HasSubstr("<td><a href=\"b/report.json\">b</a></td>"));
    EXPECT_THAT(text, HasSubstr("<tr class=\"missing\"><td>e</td>"));
    EXPECT_THAT(text, HasSubstr("&lt;script&gt;alert(1)&lt;/script&gt;"));
    EXPECT_THAT(text, ::testing::Not(HasSubstr("<script>")));
}

} // namespace
} // namespace lumora::test
