#pragma once

#include "engine/model/DrcMarker.h"

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::engine {

enum class Severity { Marginal, Critical };

std::string_view severityText(Severity severity); // "Marginal" or "Critical"

// One violation as a check sees it, before it becomes a DRC marker. Lengths are in page units;
// counts and ratios as they are.
struct Finding {
    std::string check{}; // the name its marker carries
    Severity severity = Severity::Marginal;
    int32_t file = 0; // the board or panel the location belongs to
    Point at{};
    std::string measure{}; // what measured and required are: "distance", "width", "hole size" ...
    double measured = 0;
    double required = 0;
    std::vector<DrcItem> items{};
    bool operator==(const Finding&) const = default;
};

// The order findings are reported in: by file, location, check, severity, values, then items, so
// that a run places the same markers in the same order whatever order a check found them in.
bool reportedBefore(const Finding& a, const Finding& b);

} // namespace lumora::engine
