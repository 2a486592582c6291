#pragma once

#include "record/RunRecord.h"
#include "record/Waivers.h"
#include "report/ReportSettings.h"
#include "report/ReportedRun.h"
#include "report/RunReport.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace lumora {
class MDIMain;
}

namespace lumora::report {

// A file the user asked for after the run, and how to fill it.
struct OutputFile {
    std::string path;
    std::function<void(std::ostream&)> write;
};

// Writes the file whole through a temporary file renamed onto it, so that an earlier file of that
// name survives a failure; throws std::runtime_error naming the file and the reason.
void writeOutputFile(const OutputFile& file);

// The reports of a run, for CI pipelines and people: the record of every test, waivers applied to
// its markers, the JSON report, the JUnit results, the page and a baseline of waivers.
class RunReports {
  public:
    // Reads the waivers file (the settings', or the one beside the design file); throws
    // WaiverFileError. designNotes: what reading the design file said, for the report.
    RunReports(ReportSettings settings, std::string designFile, const engine::Design& design,
               std::vector<std::string> designNotes = {});

    RunRecorder& recorder() { return recorder_; }
    // After the run: applies the waivers to the recorded markers; failedChecks: the checks KORVEN
    // could not perform, for the page.
    void finish(const MDIMain& main, std::vector<engine::FailedCheck> failedChecks);
    // The waivers file used, if any, and its waivers that matched nothing; known after finish.
    const std::optional<std::string>& waiversFile() const { return waiversFile_; }
    const std::vector<Waiver>& staleWaivers() const { return stale_; }
    // The unwaived violations of the run, which decide --fail-on.
    MarkerCounts unwaived() const { return countMarkers(recorder_.tests()); }
    // The report, JUnit, page and waiver files asked for; call after finish.
    std::vector<OutputFile> files() const;

  private:
    ReportContext context() const;

    ReportSettings settings_;
    std::string designFile_;
    const engine::Design& design_;
    std::vector<engine::FailedCheck> failedChecks_;
    std::vector<std::string> designNotes_;
    RunRecorder recorder_;
    std::optional<std::string> waiversFile_;
    std::vector<Waiver> waivers_;
    std::vector<Waiver> stale_;
    std::vector<ReportedScript> scripts_;
};

} // namespace lumora::report
