#include "engine/session/DrcReport.h"

#include <algorithm>
#include <utility>

namespace lumora::engine {

namespace {

// Taken apart rather than copied: a large board's check hands over hundreds of thousands.
DrcMarker markerOf(Finding&& finding) {
    return {.file = finding.file,
            .at = finding.at,
            .severity = std::string(severityText(finding.severity)),
            .check = std::move(finding.check),
            .measure = std::move(finding.measure),
            .measured = finding.measured,
            .required = finding.required,
            .items = std::move(finding.items)};
}

} // namespace

int16_t reportFindings(Session& session, std::vector<Finding> findings) {
    std::ranges::sort(findings, reportedBefore);
    const int limit = session.maxErrorsPerTest;
    const auto limitReached = [&](std::size_t placed) { return limit > 0 && placed >= std::size_t(limit); };
    std::size_t placed = 0;
    for (; placed < findings.size() && !limitReached(placed); ++placed) {
        session.placeDrc(markerOf(std::move(findings[placed])));
    }
    return limitReached(placed) ? rc::TooManyErrors : rc::Ok;
}

} // namespace lumora::engine
