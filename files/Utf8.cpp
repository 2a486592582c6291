#include "files/Utf8.h"

namespace lumora::files {

namespace {

struct SequenceRule {
    std::size_t length; // bytes in the sequence; 0: the lead byte is never valid
    int secondLow;      // the range of the second byte, which excludes overlong forms,
    int secondHigh;     // surrogates and code points above U+10FFFF
};

SequenceRule ruleOf(unsigned char lead) {
    if (lead < 0x80) {
        return {1, 0, 0};
    }
    if (lead < 0xC2) {
        return {0, 0, 0};
    }
    if (lead < 0xE0) {
        return {2, 0x80, 0xBF};
    }
    if (lead < 0xF0) {
        return {3, lead == 0xE0 ? 0xA0 : 0x80, lead == 0xED ? 0x9F : 0xBF};
    }
    if (lead < 0xF5) {
        return {4, lead == 0xF0 ? 0x90 : 0x80, lead == 0xF4 ? 0x8F : 0xBF};
    }
    return {0, 0, 0};
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

} // namespace

std::size_t firstInvalidUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const SequenceRule rule = ruleOf(static_cast<unsigned char>(text[at]));
        if (rule.length == 0 || at + rule.length > text.size()) {
            return at;
        }
        if (rule.length > 1) {
            const int second = static_cast<unsigned char>(text[at + 1]);
            if (second < rule.secondLow || second > rule.secondHigh) {
                return at;
            }
            for (std::size_t next = 2; next < rule.length; ++next) {
                if (!isContinuation(static_cast<unsigned char>(text[at + next]))) {
                    return at;
                }
            }
        }
        at += rule.length;
    }
    return std::string_view::npos;
}

std::string validUtf8(std::string_view text) {
    std::string valid;
    for (std::size_t bad = firstInvalidUtf8(text); bad != std::string_view::npos;
         bad = firstInvalidUtf8(text)) {
        valid.append(text.substr(0, bad)).append(kReplacementCharacter);
        text.remove_prefix(bad + 1);
    }
    return valid.append(text);
}

} // namespace lumora::files
