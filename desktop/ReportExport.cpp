#include "desktop/ReportExport.h"

#include "report/RunReports.h"

#include <filesystem>

namespace lumora::desktop {

namespace {

bool isPage(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    return extension == ".html" || extension == ".htm";
}

} // namespace

void exportReport(const MDIMain& main, const std::vector<TestRecord>& records, const DesignHost& host,
                  const std::string& path) {
    report::ReportSettings settings;
    (isPage(path) ? settings.html : settings.report) = path;
    report::RunReports reports(settings, host.file().toStdString(), *host.design(), host.notes());
    reports.recorder().tests() = records; // the waivers mark a copy: the window keeps its own record
    reports.finish(main, host.failedChecks());
    for (const report::OutputFile& file : reports.files()) {
        report::writeOutputFile(file);
    }
}

} // namespace lumora::desktop
