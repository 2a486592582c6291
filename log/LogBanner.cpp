#include "log/LogBanner.h"

#include "log/ProductInfo.h"

#include <charconv>

namespace lumora {

namespace {

void appendPadded(std::string& text, long value, std::size_t width) {
    char digits[24];
    auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    std::size_t length = static_cast<std::size_t>(end - digits);
    if (length < width) {
        text.append(width - length, '0');
    }
    text.append(digits, length);
}

} // namespace

std::string dateTimeText(std::chrono::local_seconds when) {
    using namespace std::chrono;
    local_days day = floor<days>(when);
    year_month_day date{day};
    hh_mm_ss time{when - day};
    std::string text;
    appendPadded(text, static_cast<int>(date.year()), 4);
    text += '-';
    appendPadded(text, static_cast<unsigned>(date.month()), 2);
    text += '-';
    appendPadded(text, static_cast<unsigned>(date.day()), 2);
    text += ' ';
    appendPadded(text, time.hours().count(), 2);
    text += ':';
    appendPadded(text, time.minutes().count(), 2);
    text += ':';
    appendPadded(text, time.seconds().count(), 2);
    return text;
}

std::string logBanner(std::string_view kind, std::chrono::local_seconds when) {
    std::string banner(kApplicationTitle);
    banner += " v." + versionText() + " ";
    banner += kind;
    banner += " on ";
    banner += dateTimeText(when);
    return banner;
}

} // namespace lumora
