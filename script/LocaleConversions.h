#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumora {

// The platform's locale-aware conversions between numbers and text: the user's decimal
// separator and digit grouping (see LocaleService). Files never go through these.

// Default number-to-text: at most 15 significant digits, no trailing zeros, exponent form
// ("1E+15", "1E-05") only when the decimal exponent is below -4 or at least 15.
std::string numberToText(double value);

// Locale-aware number test: surrounding blanks, a sign, digits with the locale's grouping in the
// integer part, the decimal separator, and an exponent. The empty text is not a number.
bool isNumeric(std::string_view text);

// Conversions that throw RunnerError "Type mismatch" (13) for text that is not a number and
// "Overflow" (6) for a value out of the target's range.
double toDouble(std::string_view text);
int16_t toInteger(std::string_view text); // rounds half to even
int32_t toLong(std::string_view text);    // rounds half to even
// "True"/"False" in any case, or a number (0 is false, any other number true).
bool toBoolean(std::string_view text);

} // namespace lumora
