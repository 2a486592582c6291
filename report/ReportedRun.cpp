#include "report/ReportedRun.h"

#include "app/MDIMain.h"

#include <algorithm>

namespace lumora::report {

namespace {

// A continued run records a row again; its latest record counts.
const TestRecord* latestRecord(const std::vector<TestRecord>& records, const std::string& script, long row) {
    auto found = std::find_if(records.rbegin(), records.rend(), [&](const TestRecord& record) {
        return record.script == script && record.row == row;
    });
    return found == records.rend() ? nullptr : &*found;
}

std::string outcomeOf(const TestRecord* record, bool checked) {
    if (record != nullptr) {
        return record->result < 0 ? "failed" : "completed";
    }
    return checked ? "stopped" : "unchecked";
}

} // namespace

std::vector<ReportedScript> reportedScripts(const MDIMain& main, const std::vector<TestRecord>& records) {
    std::vector<ReportedScript> scripts;
    for (const auto& window : main.windows()) {
        ReportedScript script{window->strFilename, window->scriptName(), {}};
        const TestGrid& grid = window->grid();
        for (long row = 1; row <= grid.testRows(); ++row) {
            const TestRecord* record = latestRecord(records, window->strFilename, row);
            const GridRowLook look{grid.foreColor(row, TestGrid::Name), grid.backColor(row, TestGrid::Name),
                                   grid.text(row, TestGrid::Marginal), grid.text(row, TestGrid::Critical)};
            script.tests.push_back(
                {row, &grid.item(row), record, outcomeOf(record, grid.checked(row)), look});
        }
        scripts.push_back(std::move(script));
    }
    return scripts;
}

MarkerCounts countMarkers(const TestRecord& record, std::optional<int32_t> file) {
    MarkerCounts counts;
    for (const RecordedMarker& recorded : record.markers) {
        if (file && recorded.marker->file != *file) {
            continue;
        }
        if (recorded.waived) {
            ++counts.waived;
        } else if (recorded.marker->severity == "Critical") {
            ++counts.critical;
        } else {
            ++counts.marginal;
        }
    }
    return counts;
}

MarkerCounts& MarkerCounts::operator+=(const MarkerCounts& other) {
    marginal += other.marginal;
    critical += other.critical;
    waived += other.waived;
    return *this;
}

MarkerCounts countMarkers(const std::vector<TestRecord>& records) {
    MarkerCounts total;
    for (const TestRecord& record : records) {
        total += countMarkers(record);
    }
    return total;
}

} // namespace lumora::report
