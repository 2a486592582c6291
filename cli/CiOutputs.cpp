#include "cli/CiOutputs.h"

#include "cli/JUnitReport.h"
#include "cli/RunReport.h"

#include <algorithm>
#include <ctime>

namespace lumora::cli {

namespace {

std::optional<std::string> waiversFileFor(const CliOptions& options) {
    if (options.waivers) {
        return options.waivers;
    }
    if (const auto beside = defaultWaiversFile(*options.design)) {
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

CiOutputs::CiOutputs(const CliOptions& options, const engine::Design& design)
    : options_(options), recorder_(design), waiversFile_(waiversFileFor(options)) {
    if (waiversFile_) {
        waivers_ = loadWaivers(*waiversFile_);
    }
}

void CiOutputs::finish(const MDIMain& main, std::ostream& out, std::ostream& err) {
    stale_ = applyWaivers(waivers_, recorder_.tests());
    scripts_ = reportedScripts(main, recorder_.tests());
    if (!waiversFile_) {
        return;
    }
    out << "Waivers from " << *waiversFile_ << ": " << unwaived().waived << " violations waived, "
        << stale_.size() << " stale\n";
    for (const Waiver& waiver : stale_) {
        err << "stale waiver (matched nothing): " << waiver.key << '\n';
    }
}

std::vector<OutputFile> CiOutputs::files() const {
    std::vector<OutputFile> files;
    if (options_.report) {
        ReportContext context{*options_.design, utcNow("%FT%TZ"), waiversFile_.value_or(""), stale_};
        files.push_back({*options_.report,
                         [this, context](std::ostream& out) { writeRunReport(scripts_, context, out); }});
    }
    if (options_.junit) {
        files.push_back({*options_.junit,
                         [this](std::ostream& out) { writeJUnitReport(scripts_, options_.failOn, out); }});
    }
    if (options_.writeWaivers) {
        // The waivers that still match, then one for every violation not waived yet.
        std::vector<Waiver> baseline;
        std::ranges::copy_if(waivers_, std::back_inserter(baseline), [this](const Waiver& waiver) {
            return std::ranges::none_of(stale_, [&](const Waiver& stale) { return stale.key == waiver.key; });
        });
        for (Waiver& added : baselineWaivers(recorder_.tests(), waiverAuthor(), waiverDate())) {
            baseline.push_back(std::move(added));
        }
        files.push_back(
            {*options_.writeWaivers, [baseline](std::ostream& out) { writeWaiversJson(baseline, out); }});
    }
    return files;
}

} // namespace lumora::cli
