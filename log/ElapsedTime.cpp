#include "log/ElapsedTime.h"

#include <charconv>

namespace lumora {

std::string elapsedText(std::chrono::seconds elapsed) {
    // Hundredths of a unit: seconds / 86400 * 100000 * 100 = seconds * 3125 / 27. The remainder
    // of a division by 27 is never exactly one half, so rounding in integers is exact.
    long long scaled = elapsed.count() * 3125;
    long long hundredths = (scaled >= 0 ? scaled + 13 : scaled - 13) / 27;
    char text[32];
    // Fixed notation: the shortest form would turn one day (100000) into "1e+05".
    auto [end, error] = std::to_chars(text, text + sizeof text, static_cast<double>(hundredths) / 100.0,
                                      std::chars_format::fixed);
    return std::string(text, end);
}

} // namespace lumora
