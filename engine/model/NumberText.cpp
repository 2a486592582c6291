#include "engine/model/NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace lumora::engine {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::optional<double> parseNumber(std::string_view text) {
    std::string digits(trimmed(text));
    if (digits.empty()) {
        return std::nullopt;
    }
    if (digits.find('.') == std::string::npos && std::ranges::count(digits, ',') == 1) {
        digits[digits.find(',')] = '.';
    }
    const char* begin = digits.data();
    if (*begin == '+') {
        ++begin;
    }
    double value = 0;
    auto [end, error] = std::from_chars(begin, digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string formatNumber(double value) {
    double rounded = std::round(value * 1e9) / 1e9;
    if (!std::isfinite(rounded)) {
        rounded = value;
    }
    if (rounded == 0) {
        rounded = 0; // no "-0"
    }
    std::array<char, 64> buffer{};
    auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), rounded);
    return error == std::errc() ? std::string(buffer.data(), end) : std::string("0");
}

} // namespace lumora::engine
