#include "engine/findings/Finding.h"

#include <tuple>

namespace lumora::engine {

std::string_view severityText(Severity severity) {
    return severity == Severity::Critical ? "Critical" : "Marginal";
}

bool reportedBefore(const Finding& a, const Finding& b) {
    return std::tie(a.file, a.at.x, a.at.y, a.check, a.severity, a.measure, a.measured, a.required, a.items) <
           std::tie(b.file, b.at.x, b.at.y, b.check, b.severity, b.measure, b.measured, b.required, b.items);
}

} // namespace lumora::engine
