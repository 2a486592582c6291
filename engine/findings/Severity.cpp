#include "engine/findings/Severity.h"

#include <cmath>

namespace lumora::engine {

namespace {

constexpr double kOnLimit = 1e-9;

double slack(double limit) {
    return std::abs(limit) * kOnLimit;
}

} // namespace

bool isBelow(double value, double limit) {
    return value < limit - slack(limit);
}

bool isAbove(double value, double limit) {
    return value > limit + slack(limit);
}

std::optional<Severity> severityBelow(double measured, Limits limits) {
    if (isBelow(measured, limits.critical)) {
        return Severity::Critical;
    }
    if (isBelow(measured, limits.marginal)) {
        return Severity::Marginal;
    }
    return std::nullopt;
}

std::optional<Severity> severityAbove(double measured, Limits limits) {
    if (limits.critical > 0 && isAbove(measured, limits.critical)) {
        return Severity::Critical;
    }
    if (limits.marginal > 0 && isAbove(measured, limits.marginal)) {
        return Severity::Marginal;
    }
    return std::nullopt;
}

double brokenLimit(Severity severity, Limits limits) {
    return severity == Severity::Critical ? limits.critical : limits.marginal;
}

} // namespace lumora::engine
