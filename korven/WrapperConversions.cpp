#include "korven/WrapperConversions.h"

#include "script/LocaleConversions.h"
#include "script/RunnerError.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace lumora {

namespace {

// Earlier words win: a text naming both "Round" and "rectangle" is round.
constexpr std::array<std::string_view, 10> kPadShapes = {
    "round", "square", "rectangle", "target", "thermal", "complex", "donut", "octagon", "oblong", "blank"};

constexpr std::array<int32_t, 4> kNumericComparisons = {-2, -1, 1, 2};

std::string lowerCase(std::string text) {
    std::ranges::transform(text, text.begin(),
                           [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return text;
}

} // namespace

int16_t padShapeCode(const std::string& text) {
    std::string lower = lowerCase(text);
    for (std::size_t i = 0; i < kPadShapes.size(); ++i) {
        if (lower.find(kPadShapes[i]) != std::string::npos) {
            return static_cast<int16_t>(i + 1);
        }
    }
    return 0;
}

bool isNumber(const std::string& text) {
    try {
        toDouble(text);
        return true;
    } catch (const RunnerError&) {
        return false;
    }
}

bool isNumericComparison(int32_t comparisonType) {
    return std::ranges::find(kNumericComparisons, comparisonType) != kNumericComparisons.end();
}

} // namespace lumora
