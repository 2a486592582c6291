#pragma once

#include "cli/CliOptions.h"
#include "cli/ReportedRun.h"
#include "record/RunRecord.h"
#include "record/Waivers.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace lumora {
class MDIMain;
}

namespace lumora::cli {

// A file the user asked for after the run, and how to fill it.
struct OutputFile {
    std::string path;
    std::function<void(std::ostream&)> write;
};

// What CI pipelines get from a run: the record of every test, waivers applied to its markers, the
// JSON report, the JUnit results and a baseline of waivers.
class CiOutputs {
  public:
    // Reads the waivers file (--waivers, or the one beside the design); throws WaiverFileError.
    CiOutputs(const CliOptions& options, const engine::Design& design);

    RunRecorder& recorder() { return recorder_; }
    // After the run: applies the waivers and says what they did (nothing without waivers).
    void finish(const MDIMain& main, std::ostream& out, std::ostream& err);
    // The unwaived violations of the run, which decide --fail-on.
    MarkerCounts unwaived() const { return countMarkers(recorder_.tests()); }
    // The report, JUnit and waiver files asked for; call after finish.
    std::vector<OutputFile> files() const;

  private:
    const CliOptions& options_;
    RunRecorder recorder_;
    std::optional<std::string> waiversFile_;
    std::vector<Waiver> waivers_;
    std::vector<Waiver> stale_;
    std::vector<ReportedScript> scripts_;
};

} // namespace lumora::cli
