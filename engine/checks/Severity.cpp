#include "engine/checks/Severity.h"

namespace lumora::engine {

std::optional<Severity> severityBelow(double measured, Limits limits) {
    if (measured < limits.critical) {
        return Severity::Critical;
    }
    if (measured < limits.marginal) {
        return Severity::Marginal;
    }
    return std::nullopt;
}

std::optional<Severity> severityAbove(double measured, Limits limits) {
    if (limits.critical > 0 && measured > limits.critical) {
        return Severity::Critical;
    }
    if (limits.marginal > 0 && measured > limits.marginal) {
        return Severity::Marginal;
    }
    return std::nullopt;
}

double brokenLimit(Severity severity, Limits limits) {
    return severity == Severity::Critical ? limits.critical : limits.marginal;
}

} // namespace lumora::engine
