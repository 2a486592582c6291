#pragma once

#include "engine/findings/Finding.h"
#include "korvenapi/DfmChecks.h" // Limits, as checks receive them

#include <optional>

namespace lumora::engine {

using lumora::Limits;

// Whether a value lies beyond a limit, not just on it. Values within a billionth of the limit (of
// its size, so that a design in inches and the same design in mils decide alike) are on it: a value
// on its limit is no violation.
bool isBelow(double value, double limit);
bool isAbove(double value, double limit);

// For quantities that must be large enough (distances, widths): below critical is Critical, else
// below marginal is Marginal.
std::optional<Severity> severityBelow(double measured, Limits limits);

// For quantities that must stay small enough (heights, ratios, densities): above critical is
// Critical, else above marginal is Marginal.
std::optional<Severity> severityAbove(double measured, Limits limits);

// The limit a finding of this severity broke.
double brokenLimit(Severity severity, Limits limits);

} // namespace lumora::engine
