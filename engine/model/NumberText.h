#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumora::engine {

// Reads an attribute or comparison value as a number, whatever the process's locale. Blanks around
// the number are ignored, and a single "," stands for the decimal point when there is no ".", since
// clients pass numbers in their user's regional notation.
std::optional<double> parseNumber(std::string_view text);

// Writes a number with "." as decimal point, in the fewest digits that read back the same after
// rounding to nine decimals (so 0.1 + 0.2 becomes "0.3").
std::string formatNumber(double value);

} // namespace lumora::engine
