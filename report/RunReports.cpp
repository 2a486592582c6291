#include "report/RunReports.h"

#include "report/JUnitReport.h"
#include "report/RunReport.h"

#include "engine/io/ReplaceFile.h"

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
    engine::replaceFile(file.path, text.str());
}

RunReports::RunReports(ReportSettings settings, std::string designFile, const engine::Design& design)
    : settings_(std::move(settings)), designFile_(std::move(designFile)), recorder_(design),
      waiversFile_(waiversFileFor(settings_, designFile_)) {
    if (waiversFile_) {
        waivers_ = loadWaivers(*waiversFile_);
    }
}

void RunReports::finish(const MDIMain& main) {
    stale_ = applyWaivers(waivers_, recorder_.tests());
    scripts_ = reportedScripts(main, recorder_.tests());
}

std::vector<OutputFile> RunReports::files() const {
    std::vector<OutputFile> files;
    if (settings_.report) {
        ReportContext context{designFile_, utcNow("%FT%TZ"), waiversFile_.value_or(""), stale_};
        files.push_back({*settings_.report,
                         [this, context](std::ostream& out) { writeRunReport(scripts_, context, out); }});
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
