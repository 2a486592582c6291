#include "engine/io/JsonNumbers.h"

#include <cmath>

namespace lumora::engine {

// Whole numbers are written without a fraction, which keeps large boards compact.
Json jsonNumber(double value) {
    constexpr double kLargestWhole = 9007199254740992.0; // 2^53
    if (std::trunc(value) == value && std::abs(value) < kLargestWhole) {
        return value == 0 ? Json(0) : Json(static_cast<int64_t>(value));
    }
    return Json(value);
}

Json jsonPoint(Point p) {
    return Json::array({jsonNumber(p.x), jsonNumber(p.y)});
}

} // namespace lumora::engine
