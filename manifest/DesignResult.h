#pragma once

#include "manifest/DesignOutcome.h"
#include "report/ReportedRun.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lumora::manifest {

// A test of a design's report, as far as the merge needs it.
struct TestSummary {
    std::string script;
    std::string name;
    std::string outcome;
    report::MarkerCounts counts;
};

// How one design of a manifest fared: result.json in its folder, written last, so that a folder
// holding it is complete and one without it is run again.
struct DesignResult {
    std::size_t position = 0; // in the manifest, from 0
    std::string name;         // of its folder
    std::string design;
    std::vector<std::string> scripts;
    DesignOutcome outcome = DesignOutcome::Passed;
    int exitStatus = 0; // of its run; meaningless when a signal ended it
    int signal = 0;     // the signal that ended its run, 0 for none
    double seconds = 0;
    std::string message;                        // what its run said on stderr, when it did not pass
    std::optional<report::MarkerCounts> totals; // from its report; none when it wrote none
    std::vector<TestSummary> tests;
};

// Marker counts as the reports write them: {"marginal", "critical", "waived"}.
nlohmann::ordered_json countsJson(const report::MarkerCounts& counts);
report::MarkerCounts countsFromJson(const nlohmann::ordered_json& json);

nlohmann::ordered_json resultJson(const DesignResult& result);
// The design a result is of (position, name, design, scripts), as results and designs.json hold it,
// without an outcome yet; throws std::exception when a member is missing or of another type.
DesignResult designFromJson(const nlohmann::ordered_json& json);
// Throws std::exception on anything but a result as resultJson writes it.
DesignResult resultFromJson(const nlohmann::ordered_json& json);

// The result in a design's folder; nullopt while there is none, or when it cannot be read (a result
// cut short is not one).
std::optional<DesignResult> completeResult(const std::filesystem::path& folder);
// Written whole through a temporary file; throws std::runtime_error naming the file.
void writeResult(const std::filesystem::path& folder, const DesignResult& result);

// The totals and the tests of a report (report.json) into the result; false when it cannot be read.
bool addReport(DesignResult& result, const std::filesystem::path& reportFile);

} // namespace lumora::manifest
