#include "files/MarkupText.h"

#include "files/Utf8.h"

namespace lumora::files {

namespace {

// U+FFFE and U+FFFF, which XML excludes although they are well-formed UTF-8.
bool isNonCharacterAt(std::string_view text, std::size_t at) {
    return text.substr(at, 2) == "\xEF\xBF" && at + 2 < text.size() &&
           (text[at + 2] == '\xBE' || text[at + 2] == '\xBF');
}

bool isExcludedControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

std::string_view referenceOf(char c) {
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    case '\'':
        return "&#39;";
    case '\t':
        return "&#9;";
    case '\n':
        return "&#10;";
    case '\r':
        return "&#13;";
    default:
        return {};
    }
}

std::string xmlCharacters(std::string_view text) {
    const std::string valid = validUtf8(text);
    std::string held;
    held.reserve(valid.size());
    for (std::size_t at = 0; at < valid.size(); ++at) {
        if (isNonCharacterAt(valid, at)) {
            held += kReplacementCharacter;
            at += 2;
        } else if (isExcludedControl(valid[at])) {
            held += kReplacementCharacter;
        } else {
            held += valid[at];
        }
    }
    return held;
}

} // namespace

std::string markupText(std::string_view text) {
    std::string escaped;
    for (char c : xmlCharacters(text)) {
        const std::string_view reference = referenceOf(c);
        if (reference.empty()) {
            escaped += c;
        } else {
            escaped += reference;
        }
    }
    return escaped;
}

} // namespace lumora::files
