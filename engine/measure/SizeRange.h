#pragma once

#include "engine/findings/Severity.h"

#include <optional>

namespace lumora::engine {

// A size and the limit it breaks.
struct Breach {
    double measured;
    double limit;
};

// The sizes an item may have; a maximum of 0 or less sets none, as the runner passes 0 for "no
// maximum".
struct SizeRange {
    double minimum = 0;
    double maximum = 0;

    // For an item whose extent runs from `smallest` to `largest` across its directions: too small
    // when the smallest is below the minimum, else too large when the largest exceeds the maximum.
    std::optional<Breach> breach(double smallest, double largest) const {
        if (isBelow(smallest, minimum)) {
            return Breach{smallest, minimum};
        }
        if (maximum > 0 && isAbove(largest, maximum)) {
            return Breach{largest, maximum};
        }
        return std::nullopt;
    }
    std::optional<Breach> breach(double size) const { return breach(size, size); }
};

} // namespace lumora::engine
