#include "ui/DebugSettingsFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <optional>
#include <string>
#include <vector>

namespace lumora {

namespace {

using Apply = void (*)(DebugSettings&, const std::string& value);

bool isYes(const std::string& value) {
    return value == "Y" || value == "y";
}

// A file reads the same under every locale, so the limit is plain digits: a sign, a fraction or a
// group separator makes it malformed, and a malformed limit is ignored like a malformed line.
std::optional<int16_t> countLimit(const std::string& text) {
    int16_t limit = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), limit);
    if (error != std::errc() || end != text.data() + text.size() || limit < 0) {
        return std::nullopt;
    }
    return limit;
}

struct Key {
    const char* name;
    Apply apply;
};

constexpr std::array kKeys{
    Key{".DEBUGMODE", [](DebugSettings& s, const std::string& v) { s.debugMenus = isYes(v); }},
    Key{".EXPANDEDREP", [](DebugSettings& s, const std::string& v) { s.expandedRep = isYes(v); }},
    Key{".SAVEONFAIL", [](DebugSettings& s, const std::string& v) { s.saveOnFail = isYes(v); }},
    Key{".DRCLIMIT",
        [](DebugSettings& s, const std::string& v) {
            if (std::optional<int16_t> limit = countLimit(v)) {
                s.drcLimit = limit;
            }
        }},
};

// Tabs become blanks and runs of blanks one blank, so only leading and trailing blanks remain.
std::string foldBlanks(std::string line) {
    std::ranges::replace(line, '\t', ' ');
    std::string folded;
    for (char c : line) {
        if (c == ' ' && !folded.empty() && folded.back() == ' ') {
            continue;
        }
        folded += c;
    }
    return folded;
}

std::vector<std::string> splitAtBlanks(const std::string& line) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (true) {
        std::size_t blank = line.find(' ', start);
        words.push_back(line.substr(start, blank == std::string::npos ? std::string::npos : blank - start));
        if (blank == std::string::npos) {
            return words;
        }
        start = blank + 1;
    }
}

std::string upperCased(std::string text) {
    std::ranges::transform(text, text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

void applyLine(DebugSettings& settings, std::string line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    line = foldBlanks(line);
    if (line.empty() || line.front() != '.') {
        return;
    }
    std::vector<std::string> words = splitAtBlanks(line);
    if (words.size() != 2) {
        return;
    }
    std::string key = upperCased(words[0]);
    auto found = std::ranges::find_if(kKeys, [&](const Key& k) { return key == k.name; });
    if (found != kKeys.end()) {
        found->apply(settings, words[1]);
    }
}

} // namespace

DebugSettings readDebugSettings(std::istream& in) {
    DebugSettings settings;
    std::string line;
    while (std::getline(in, line)) {
        applyLine(settings, line);
    }
    return settings;
}

} // namespace lumora
