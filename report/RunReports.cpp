#include "report/RunReports.h"

#include "report/HtmlReport.h"
#include "report/JUnitReport.h"
#include "report/RunReport.h"

#include "files/ReplaceFile.h"

#include <algorithm>
#include <ctime>
#include <sstream>

namespace lumora::report {

namespace {

std::optional<std::string> waiversFileFor(const ReportSettings& settings, const std::string& designFile) {
    if (settings.waivers) {
        return settings.waivers;
    }
    if (const auto beside = defaultWaiversFile(designFile)) {
        return beside->string();
    }
    return std::nullopt;
}

std::string utcNow(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    return std::string(text, std::strftime(text, sizeof text, format, &utc));
}

} // namespace

void writeOutputFile(const OutputFile& file) {
    std::ostringstream text;
    file.write(text);
    files::replaceFile(file.path, text.str());
}

RunReports::RunReports(ReportSettings settings, std::string designFile, const engine::Design& design,
                       std::vector<std::string> designNotes)
    : settings_(std::move(settings)), designFile_(std::move(designFile)), design_(design),
      designNotes_(std::move(designNotes)), recorder_(design),
      waiversFile_(waiversFileFor(settings_, designFile_)) {
    if (waiversFile_) {
        waivers_ = loadWaivers(*waiversFile_);
    }
}

void RunReports::finish(const MDIMain& main, std::vector<engine::FailedCheck> failedChecks) {
    migrateWaiverKeys(waivers_, recorder_.tests());
    failedChecks_ = std::move(failedChecks);
    stale_ = applyWaivers(waivers_, recorder_.tests());
    scripts_ = reportedScripts(main, recorder_.tests());
}

ReportContext RunReports::context() const {
    return ReportContext{designFile_, designNotes_, utcNow("%FT%TZ"), waiversFile_.value_or(""),
                         stale_,      waivers_,     failedChecks_};
}

std::vector<OutputFile> RunReports::files() const {
    std::vector<OutputFile> files;
    if (settings_.report) {
        files.push_back({*settings_.report, [this, context = context()](std::ostream& out) {
                             writeRunReport(scripts_, context, out);
                         }});
    }
    if (settings_.html) {
        files.push_back({*settings_.html, [this, context = context()](std::ostream& out) {
                             writeHtmlReport(scripts_, context, design_, out);
                         }});
    }
    if (settings_.junit) {
        files.push_back({*settings_.junit,
                         [this](std::ostream& out) { writeJUnitReport(scripts_, settings_.failOn, out); }});
    }
    if (settings_.writeWaivers) {
        // The waivers that still match, then one for every violation not waived yet.
        std::vector<Waiver> baseline;
        std::ranges::copy_if(waivers_, std::back_inserter(baseline), [this](const Waiver& waiver) {
            return std::ranges::none_of(stale_, [&](const Waiver& stale) { return stale.key == waiver.key; });
        });
        for (Waiver& added : baselineWaivers(recorder_.tests(), waiverAuthor(), waiverDate())) {
            baseline.push_back(std::move(added));
        }
        files.push_back(
            {*settings_.writeWaivers, [baseline](std::ostream& out) { writeWaiversJson(baseline, out); }});
    }
    return files;
}

} // namespace lumora::report
