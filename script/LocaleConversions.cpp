#include "script/LocaleConversions.h"

#include "script/LocaleService.h"
#include "script/RunnerError.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace lumora {

namespace {

[[noreturn]] void throwTypeMismatch() {
    throw RunnerError(errnum::TypeMismatch, "", "Type mismatch");
}
[[noreturn]] void throwOverflow() {
    throw RunnerError(errnum::Overflow, "", "Overflow");
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool consume(std::string_view& text, std::string_view prefix) {
    if (prefix.empty() || !text.starts_with(prefix)) {
        return false;
    }
    text.remove_prefix(prefix.size());
    return true;
}

// Rewrites locale text as a plain "-123.45e6" literal, or nothing when it is not a number.
std::optional<std::string> toPlainLiteral(std::string_view text, const NumberFormat& format) {
    text = trimBlanks(text);
    std::string plain;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        if (text.front() == '-') {
            plain += '-';
        }
        text.remove_prefix(1);
    }
    bool anyDigit = false;
    while (!text.empty()) {
        if (isDigit(text.front())) {
            plain += text.front();
            text.remove_prefix(1);
            anyDigit = true;
        } else if (anyDigit && consume(text, format.groupSeparator)) {
            continue;
        } else {
            break;
        }
    }
    if (consume(text, format.decimalSeparator)) {
        plain += '.';
        while (!text.empty() && isDigit(text.front())) {
            plain += text.front();
            text.remove_prefix(1);
            anyDigit = true;
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    if (!text.empty() && (text.front() == 'e' || text.front() == 'E')) {
        plain += 'e';
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
            plain += text.front();
            text.remove_prefix(1);
        }
        bool exponentDigit = false;
        while (!text.empty() && isDigit(text.front())) {
            plain += text.front();
            text.remove_prefix(1);
            exponentDigit = true;
        }
        if (!exponentDigit) {
            return std::nullopt;
        }
    }
    if (!text.empty()) {
        return std::nullopt;
    }
    return plain;
}

double parsePlainLiteral(const std::string& plain) {
    double value = 0.0;
    auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too small underflows to zero; too large is an overflow.
        auto exponent = plain.find('e');
        if (exponent != std::string::npos && plain[exponent + 1] == '-') {
            return plain.front() == '-' ? -0.0 : 0.0;
        }
        throwOverflow();
    }
    if (error != std::errc() || end != plain.data() + plain.size()) {
        throwTypeMismatch();
    }
    return value;
}

template <typename Integer> Integer roundToInteger(std::string_view text) {
    double rounded = std::nearbyint(toDouble(text)); // the default rounding mode is half to even
    if (rounded < static_cast<double>(std::numeric_limits<Integer>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Integer>::max())) {
        throwOverflow();
    }
    return static_cast<Integer>(rounded);
}

bool equalsIgnoringCase(std::string_view text, std::string_view word) {
    return std::equal(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

} // namespace

std::string numberToText(double value) {
    if (value == 0.0) {
        return "0"; // also for -0
    }
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    if (error != std::errc()) {
        throwOverflow();
    }
    std::string text(buffer, end);
    std::string result;
    const std::string separator = currentLocale().numberFormat().decimalSeparator;
    for (char c : text) {
        if (c == '.') {
            result += separator;
        } else if (c == 'e') {
            result += 'E';
        } else {
            result += c;
        }
    }
    return result;
}

bool isNumeric(std::string_view text) {
    return toPlainLiteral(text, currentLocale().numberFormat()).has_value();
}

double toDouble(std::string_view text) {
    auto plain = toPlainLiteral(text, currentLocale().numberFormat());
    if (!plain) {
        throwTypeMismatch();
    }
    return parsePlainLiteral(*plain);
}

int16_t toInteger(std::string_view text) {
    return roundToInteger<int16_t>(text);
}

int32_t toLong(std::string_view text) {
    return roundToInteger<int32_t>(text);
}

bool toBoolean(std::string_view text) {
    if (equalsIgnoringCase(text, "True")) {
        return true;
    }
    if (equalsIgnoringCase(text, "False")) {
        return false;
    }
    return toDouble(text) != 0.0;
}

} // namespace lumora
