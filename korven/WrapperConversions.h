#pragma once

#include <cstdint>
#include <string>

namespace lumora {

// A flag as KORVEN's checks take it: 1 or 0.
constexpr int16_t N(bool flag) {
    return flag ? 1 : 0;
}

// KORVEN's code of a pad shape named in text: the first of "Round", "square", "rectangle",
// "target", "thermal", "complex", "donut", "octagon", "oblong", "blank" that the text contains,
// ignoring case, gives 1 to 10; 0 when none does.
int16_t padShapeCode(const std::string& text);

// True when the text converts to a number in the user's notation.
bool isNumber(const std::string& text);

// The value text that FilterGeometry receives: numeric comparisons of numbers reach KORVEN in
// page units (toPageUnits applied to the number), every other value goes unchanged.
bool isNumericComparison(int32_t comparisonType);

} // namespace lumora
