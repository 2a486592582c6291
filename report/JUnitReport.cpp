#include "report/JUnitReport.h"

#include "files/MarkupText.h"
#include "log/ProductInfo.h"
#include "record/MarkerKeys.h"
#include "script/clsTestItem.h"

#include <charconv>
#include <sstream>

namespace lumora::report {

namespace {

std::string seconds(double value) {
    char text[32];
    auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3);
    return error == std::errc{} ? std::string(text, end) : "0";
}

// One testcase: what it says inside, and whether it failed or was skipped.
struct Case {
    std::string name;
    double time = 0;
    std::string failure; // message of a failure element; empty: none
    std::string details;
    std::string skipped; // message of a skipped element; empty: none
};

std::string markerLines(const TestRecord& record, int32_t file) {
    std::string lines;
    const std::vector<std::string> keys = markerKeys(record);
    for (std::size_t i = 0; i < record.markers.size(); ++i) {
        const RecordedMarker& recorded = record.markers[i];
        if (recorded.marker->file == file && !recorded.waived) {
            lines += recorded.marker->severity.str() + ": " + engine::markerText(*recorded.marker) + " (" +
                     keys[i] + ")\n";
        }
    }
    return lines;
}

Case boardCase(const ReportedTest& test, const TestedFile& file, FailOn failOn) {
    const TestRecord& record = *test.record;
    Case testcase{
        test.item->strName + " [" + file.name + "]", record.seconds / record.files.size(), {}, {}, {}};
    if (record.result < 0) {
        testcase.failure = "the test failed to run (see runner.log)";
        return testcase;
    }
    const MarkerCounts counts = countMarkers(record, file.number);
    if (violationsFail(failOn, counts.marginal, counts.critical)) {
        testcase.failure =
            std::to_string(counts.critical) + " Critical, " + std::to_string(counts.marginal) + " Marginal";
        testcase.details = markerLines(record, file.number);
    }
    return testcase;
}

std::vector<Case> casesOf(const ReportedTest& test, FailOn failOn) {
    if (test.record == nullptr) {
        return {Case{test.item->strName,
                     0,
                     {},
                     {},
                     test.outcome == "unchecked" ? "unchecked" : "not run: the run stopped"}};
    }
    if (test.record->files.empty()) {
        Case testcase{test.item->strName, test.record->seconds, {}, {}, {}};
        if (test.record->result < 0) {
            testcase.failure = "the test failed to run (see runner.log)";
        }
        return {testcase};
    }
    std::vector<Case> cases;
    for (const TestedFile& file : test.record->files) {
        cases.push_back(boardCase(test, file, failOn));
    }
    return cases;
}

void writeCase(const Case& testcase, const std::string& suite, std::ostream& out) {
    out << "    <testcase classname=\"" << files::markupText(suite) << "\" name=\""
        << files::markupText(testcase.name) << "\" time=\"" << seconds(testcase.time) << "\"";
    if (testcase.failure.empty() && testcase.skipped.empty()) {
        out << "/>\n";
        return;
    }
    out << ">\n";
    if (!testcase.failure.empty()) {
        out << "      <failure message=\"" << files::markupText(testcase.failure) << "\">"
            << files::markupText(testcase.details) << "</failure>\n";
    } else {
        out << "      <skipped message=\"" << files::markupText(testcase.skipped) << "\"/>\n";
    }
    out << "    </testcase>\n";
}

} // namespace

void writeJUnitReport(const std::vector<ReportedScript>& scripts, FailOn failOn, std::ostream& out) {
    std::ostringstream suites;
    long allTests = 0;
    long allFailures = 0;
    for (const ReportedScript& script : scripts) {
        std::vector<Case> cases;
        for (const ReportedTest& test : script.tests) {
            for (Case& testcase : casesOf(test, failOn)) {
                cases.push_back(std::move(testcase));
            }
        }
        long failures = 0;
        long skipped = 0;
        double time = 0;
        for (const Case& testcase : cases) {
            failures += testcase.failure.empty() ? 0 : 1;
            skipped += testcase.skipped.empty() ? 0 : 1;
            time += testcase.time;
        }
        suites << "  <testsuite name=\"" << files::markupText(script.name) << "\" tests=\"" << cases.size()
               << "\" failures=\"" << failures << "\" errors=\"0\" skipped=\"" << skipped << "\" time=\""
               << seconds(time) << "\">\n";
        for (const Case& testcase : cases) {
            writeCase(testcase, script.name, suites);
        }
        suites << "  </testsuite>\n";
        allTests += static_cast<long>(cases.size());
        allFailures += failures;
    }
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<testsuites name=\"" << kApplicationTitle << "\" tests=\"" << allTests << "\" failures=\""
        << allFailures << "\">\n"
        << suites.str() << "</testsuites>\n";
}

} // namespace lumora::report
