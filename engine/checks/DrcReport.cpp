#include "engine/checks/DrcReport.h"

#include "engine/model/NumberText.h"

#include <algorithm>

namespace lumora::engine {

namespace {

std::string itemText(const FindingItem& item) {
    std::string text = item.component;
    if (!item.pin.empty()) {
        text += (text.empty() ? "" : "-") + item.pin;
    }
    if (!item.net.empty()) {
        text += (text.empty() ? "" : " ") + item.net;
    }
    return text;
}

std::string describe(const Finding& finding) {
    std::string text = finding.measure + " " + formatNumber(finding.measured) + ", required " +
                       formatNumber(finding.required);
    std::string separator = ": ";
    for (const FindingItem& item : finding.items) {
        text += separator + itemText(item);
        separator = ", ";
    }
    return text;
}

DrcMarker markerOf(const Finding& finding) {
    return {finding.file, finding.at, std::string(severityText(finding.severity)), finding.check,
            describe(finding)};
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
