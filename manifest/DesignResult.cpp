#include "manifest/DesignResult.h"

#include "files/ReplaceFile.h"
#include "manifest/OutputFolder.h"

#include <fstream>

namespace lumora::manifest {

namespace {

using Json = nlohmann::ordered_json;

std::optional<Json> readJson(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open()) {
        return std::nullopt;
    }
    Json json = Json::parse(in, nullptr, false);
    return json.is_discarded() ? std::nullopt : std::optional(std::move(json));
}

Json testJson(const TestSummary& test) {
    Json json{{"script", test.script}, {"name", test.name}, {"outcome", test.outcome}};
    json.update(countsJson(test.counts));
    return json;
}

TestSummary testFromJson(const Json& json) {
    return TestSummary{json.at("script").get<std::string>(), json.at("name").get<std::string>(),
                       json.at("outcome").get<std::string>(), countsFromJson(json)};
}

DesignOutcome outcomeFromJson(const Json& json) {
    const auto outcome = outcomeNamed(json.get<std::string>());
    if (!outcome) {
        throw std::runtime_error("unknown outcome " + json.dump());
    }
    return *outcome;
}

} // namespace

Json countsJson(const report::MarkerCounts& counts) {
    return Json{{"marginal", counts.marginal}, {"critical", counts.critical}, {"waived", counts.waived}};
}

report::MarkerCounts countsFromJson(const Json& json) {
    return report::MarkerCounts{json.at("marginal").get<long>(), json.at("critical").get<long>(),
                                json.at("waived").get<long>()};
}

Json resultJson(const DesignResult& result) {
    Json tests = Json::array();
    for (const TestSummary& test : result.tests) {
        tests.push_back(testJson(test));
    }
    Json json{{"position", result.position},
              {"name", result.name},
              {"design", result.design},
              {"scripts", result.scripts},
              {"outcome", outcomeName(result.outcome)},
              {"exitStatus", result.exitStatus},
              {"signal", result.signal},
              {"seconds", result.seconds},
              {"message", result.message}};
    if (result.totals) {
        json["totals"] = countsJson(*result.totals);
    }
    json["tests"] = std::move(tests);
    return json;
}

DesignResult designFromJson(const Json& json) {
    DesignResult result;
    result.position = json.at("position").get<std::size_t>();
    result.name = json.at("name").get<std::string>();
    result.design = json.at("design").get<std::string>();
    result.scripts = json.at("scripts").get<std::vector<std::string>>();
    return result;
}

DesignResult resultFromJson(const Json& json) {
    DesignResult result = designFromJson(json);
    result.outcome = outcomeFromJson(json.at("outcome"));
    result.exitStatus = json.at("exitStatus").get<int>();
    result.signal = json.at("signal").get<int>();
    result.seconds = json.at("seconds").get<double>();
    result.message = json.at("message").get<std::string>();
    if (json.contains("totals")) {
        result.totals = countsFromJson(json.at("totals"));
    }
    for (const Json& test : json.at("tests")) {
        result.tests.push_back(testFromJson(test));
    }
    return result;
}

std::optional<DesignResult> completeResult(const std::filesystem::path& folder) {
    const std::optional<Json> json = readJson(folder / files::kResult);
    if (!json) {
        return std::nullopt;
    }
    try {
        return resultFromJson(*json);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void writeResult(const std::filesystem::path& folder, const DesignResult& result) {
    lumora::files::replaceFile(folder / files::kResult, resultJson(result).dump(2) + '\n');
}

bool addReport(DesignResult& result, const std::filesystem::path& reportFile) {
    const std::optional<Json> report = readJson(reportFile);
    if (!report) {
        return false;
    }
    try {
        result.totals = countsFromJson(report->at("totals"));
        for (const Json& script : report->at("scripts")) {
            for (const Json& test : script.at("tests")) {
                const report::MarkerCounts counts =
                    test.contains("marginal") ? countsFromJson(test) : report::MarkerCounts{};
                result.tests.push_back(TestSummary{script.at("name").get<std::string>(),
                                                   test.at("name").get<std::string>(),
                                                   test.at("outcome").get<std::string>(), counts});
            }
        }
        return true;
    } catch (const std::exception&) {
        result.totals.reset();
        result.tests.clear();
        return false;
    }
}

} // namespace lumora::manifest
