#include "engine/session/DrcReport.h"

#include <algorithm>

namespace lumora::engine {

namespace {

DrcMarker markerOf(const Finding& finding) {
    return {.file = finding.file,
            .at = finding.at,
            .severity = std::string(severityText(finding.severity)),
            .check = finding.check,
            .measure = finding.measure,
            .measured = finding.measured,
            .required = finding.required,
            .items = finding.items};
}

} // namespace

int16_t reportFindings(Session& session, std::vector<Finding> findings) {
    std::ranges::sort(findings, reportedBefore);
    const int limit = session.maxErrorsPerTest;
    const auto limitReached = [&](std::size_t placed) { return limit > 0 && placed >= std::size_t(limit); };
    std::size_t placed = 0;
    for (; placed < findings.size() && !limitReached(placed); ++placed) {
        session.placeDrc(markerOf(findings[placed]));
    }
    return limitReached(placed) ? rc::TooManyErrors : rc::Ok;
}

} // namespace lumora::engine
