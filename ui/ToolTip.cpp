#include "ui/ToolTip.h"

#include <algorithm>

namespace lumora {

namespace {

constexpr long kTwipsPerLine = 210;
constexpr long kTwipsPerCharacter = 90;

} // namespace

std::string toolTipText(const clsTestItem& item) {
    std::string text = item.strName + "\r";
    if (item.dictProperties().count() == 0) {
        return text + "No Parameters\r";
    }
    for (const auto& [name, value] : item.dictProperties()) {
        text += name + " -> " + value + "\r";
    }
    return text;
}

TwipSize toolTipSize(const std::string& text) {
    long lines = 0;
    long longest = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\r', start);
        std::size_t length = (end == std::string::npos ? text.size() : end + 1) - start;
        longest = std::max(longest, static_cast<long>(length));
        ++lines;
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return {longest * kTwipsPerCharacter, lines * kTwipsPerLine};
}

} // namespace lumora
