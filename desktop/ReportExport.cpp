#include "desktop/ReportExport.h"

#include "report/RunReports.h"

namespace lumora::desktop {

void exportReport(const MDIMain& main, const std::vector<TestRecord>& records, const std::string& designFile,
                  const engine::Design& design, const std::string& path) {
    report::ReportSettings settings;
    settings.report = path;
    report::RunReports reports(settings, designFile, design);
    reports.recorder().tests() = records; // the waivers mark a copy: the window keeps its own record
    reports.finish(main);
    for (const report::OutputFile& file : reports.files()) {
        report::writeOutputFile(file);
    }
}

} // namespace lumora::desktop
