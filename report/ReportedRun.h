#pragma once

#include "record/RunRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumora {
class MDIMain;
class clsTestItem;
} // namespace lumora

namespace lumora::report {

// How the grid shows a row after the run: its colours (24-bit, blue-green-red) and its counts.
struct GridRowLook {
    uint32_t fore = 0;
    uint32_t back = 0;
    std::string marginal{};
    std::string critical{};
};

// A grid row as the reports show it: its test, the record of its run if it ran, and its outcome
// ("completed", "failed", "stopped" for a checked row the run did not reach, "unchecked").
struct ReportedTest {
    long row = 0;
    const clsTestItem* item = nullptr;
    const TestRecord* record = nullptr;
    std::string outcome;
    GridRowLook grid{};
};

struct ReportedScript {
    std::string file; // full path
    std::string name; // the window's script name
    std::vector<ReportedTest> tests;
};

std::vector<ReportedScript> reportedScripts(const MDIMain& main, const std::vector<TestRecord>& records);

// Markers counted by severity; waived ones only as waived.
struct MarkerCounts {
    long marginal = 0;
    long critical = 0;
    long waived = 0;
    MarkerCounts& operator+=(const MarkerCounts& other);
};

// The markers of a test, or of one of its boards and panels.
MarkerCounts countMarkers(const TestRecord& record, std::optional<int32_t> file = std::nullopt);
MarkerCounts countMarkers(const std::vector<TestRecord>& records);

} // namespace lumora::report
