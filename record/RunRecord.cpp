#include "record/RunRecord.h"

#include "korven/clsKORVEN.h"
#include "script/TestCatalog.h"
#include "script/clsTestItem.h"
#include "testlogic/RunWindow.h"

#include <algorithm>

namespace lumora {

namespace {

// The files a family routine loops over: panels, boards, or both for the orientation tests.
std::vector<TestedFile> testedFiles(clsKORVEN& korven, const std::string& testName) {
    const CurrentTest* test = findCurrentTest(testName);
    const bool panels =
        test != nullptr && (test->family == TestFamily::Panel || test->family == TestFamily::Orientation);
    const bool boards = test != nullptr && test->family != TestFamily::Panel;
    std::vector<TestedFile> files;
    if (panels) {
        for (int32_t i = korven.Panels_Lbound(); i <= korven.Panels_Ubound() && korven.Panels_Count() > 0;
             ++i) {
            files.push_back({korven.Panel_Position(i), korven.Panel_FileName(i)});
        }
    }
    if (boards) {
        for (int32_t i = korven.Boards_Lbound(); i <= korven.Boards_Ubound() && korven.Boards_Count() > 0;
             ++i) {
            files.push_back({korven.Board_Position(i), korven.Board_FileName(i)});
        }
    }
    return files;
}

std::string fileNameOf(const engine::Design& design, int32_t number) {
    auto file = std::ranges::find(design.files, number, &engine::File::number);
    return file == design.files.end() ? std::string() : file->name;
}

} // namespace

void RunRecorder::testStarted(RunWindow&, long) {
    firstMarker_ = design_.drcs.size();
    started_ = std::chrono::steady_clock::now();
}

void RunRecorder::testFinished(RunWindow& window, long row, int16_t result) {
    TestRecord record;
    record.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
    const clsTestItem& test = window.rowTest(row);
    record.script = window.scriptFilename();
    record.row = row;
    record.name = test.strName;
    for (const auto& entry : test.dictProperties()) {
        record.parameters.push_back(entry);
    }
    record.result = result;
    record.files = testedFiles(window.objKorven(), test.strName);
    // A run that cleared the markers before this test started placed none of these.
    const std::size_t first = std::min(firstMarker_, design_.drcs.size());
    // Sized once: the records outlive the test, and a doubled list kept up to half of it unused.
    record.markers.reserve(design_.drcs.size() - first);
    for (std::size_t i = first; i < design_.drcs.size(); ++i) {
        record.markers.push_back(
            {.marker = design_.drcs.shared(i), .fileName = fileNameOf(design_, design_.drcs[i].file)});
    }
    tests_.push_back(std::move(record));
}

} // namespace lumora
