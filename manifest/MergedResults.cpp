#include "manifest/MergedResults.h"

#include "log/ProductInfo.h"
#include "manifest/DesignFolders.h"
#include "manifest/OutputFolder.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <map>

namespace lumora::manifest {

namespace {

using Json = nlohmann::ordered_json;

// How many tests the summary names as the worst.
constexpr std::size_t kWorstTests = 10;

constexpr std::array kWorstFirst{DesignOutcome::Missing, DesignOutcome::Crashed, DesignOutcome::Failed,
                                 DesignOutcome::Broken,  DesignOutcome::Stopped, DesignOutcome::Violations,
                                 DesignOutcome::Passed};

Json readDesignList(const std::filesystem::path& out) {
    const std::filesystem::path file = out / files::kDesigns;
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open()) {
        throw MergeError("\"" + out.string() + "\" holds no " + std::string(files::kDesigns) +
                         ": it is not the output folder of a manifest run");
    }
    Json list = Json::parse(in, nullptr, false);
    if (list.is_discarded() || !list.contains("designs") || !list["designs"].is_array()) {
        throw MergeError("\"" + file.string() +
                         "\" cannot be read: expected an object with a \"designs\" list");
    }
    return list["designs"];
}

DesignResult missingResult(const Json& entry) {
    DesignResult result = designFromJson(entry);
    result.outcome = DesignOutcome::Missing;
    if (!isSafeFolderName(result.name)) {
        throw MergeError("\"" + result.name + "\" is not a design's folder");
    }
    return result;
}

// A test over all designs: what it found, and on how many designs.
struct TestTotal {
    report::MarkerCounts counts;
    long designs = 0;
};

Json worstTests(const std::vector<DesignResult>& results) {
    std::map<std::string, TestTotal> totals;
    for (const DesignResult& result : results) {
        std::map<std::string, report::MarkerCounts> perDesign;
        for (const TestSummary& test : result.tests) {
            perDesign[test.name] += test.counts;
        }
        for (const auto& [name, counts] : perDesign) {
            TestTotal& total = totals[name];
            total.counts += counts;
            total.designs += counts.marginal + counts.critical > 0 ? 1 : 0;
        }
    }
    std::vector<std::pair<std::string, TestTotal>> ranked(totals.begin(), totals.end());
    std::erase_if(ranked, [](const auto& test) { return test.second.designs == 0; });
    std::ranges::stable_sort(ranked, [](const auto& a, const auto& b) {
        return std::tuple(a.second.counts.critical, a.second.counts.marginal, a.second.designs) >
               std::tuple(b.second.counts.critical, b.second.counts.marginal, b.second.designs);
    });
    Json list = Json::array();
    for (std::size_t i = 0; i < std::min(ranked.size(), kWorstTests); ++i) {
        Json entry{{"name", ranked[i].first}, {"designs", ranked[i].second.designs}};
        entry.update(countsJson(ranked[i].second.counts));
        list.push_back(std::move(entry));
    }
    return list;
}

Json designJson(const DesignResult& result) {
    Json entry = resultJson(result);
    entry.erase("tests");
    if (result.outcome != DesignOutcome::Missing) {
        // Paths from the output folder, so that the summary moves with it.
        entry["report"] = result.name + "/" + std::string(files::kReport);
        entry["junit"] = result.name + "/" + std::string(files::kJUnit);
        entry["log"] = result.name + "/runner.log";
    }
    return entry;
}

} // namespace

std::vector<DesignResult> collectResults(const std::filesystem::path& out) {
    const Json list = readDesignList(out);
    std::vector<DesignResult> results;
    try {
        for (const Json& entry : list) {
            DesignResult missing = missingResult(entry);
            std::optional<DesignResult> complete = completeResult(out / missing.name);
            results.push_back(complete ? std::move(*complete) : std::move(missing));
        }
    } catch (const std::exception& error) {
        throw MergeError("\"" + (out / files::kDesigns).string() + "\" cannot be read: " + error.what());
    }
    return results;
}

DesignOutcome worstOutcome(const std::vector<DesignResult>& results) {
    for (DesignOutcome outcome : kWorstFirst) {
        if (std::ranges::any_of(results,
                                [&](const DesignResult& result) { return result.outcome == outcome; })) {
            return outcome;
        }
    }
    return DesignOutcome::Passed;
}

void writeSummary(const std::vector<DesignResult>& results, std::ostream& out) {
    Json designs = Json::array();
    Json outcomes = Json::object();
    report::MarkerCounts totals;
    for (DesignOutcome outcome : kWorstFirst) {
        outcomes[std::string(outcomeName(outcome))] = 0;
    }
    for (const DesignResult& result : results) {
        designs.push_back(designJson(result));
        outcomes[std::string(outcomeName(result.outcome))] =
            outcomes[std::string(outcomeName(result.outcome))].get<long>() + 1;
        totals += result.totals.value_or(report::MarkerCounts{});
    }
    Json summary{{"program", std::string(kApplicationTitle)},
                 {"version", versionText()},
                 {"outcome", outcomeName(worstOutcome(results))},
                 {"outcomes", std::move(outcomes)},
                 {"totals", countsJson(totals)},
                 {"worstTests", worstTests(results)},
                 {"designs", std::move(designs)}};
    out << summary.dump(2) << '\n';
}

} // namespace lumora::manifest
