#include "script/RegionalNumbers.h"

#include "script/LocaleConversions.h"
#include "script/RunnerError.h"

namespace lumora {

namespace {

constexpr int32_t kNotConvertibleError = errnum::ApplicationBase + 513;

std::string& decimalSeparatorStore() {
    static std::string separator = ".";
    return separator;
}

std::string replaceAll(const std::string& text, char from, const std::string& to) {
    std::string result;
    for (char c : text) {
        if (c == from) {
            result += to;
        } else {
            result += c;
        }
    }
    return result;
}

} // namespace

const std::string& strDecimalSeparator() {
    return decimalSeparatorStore();
}

void initRegionalSettings() {
    // Whatever stands between the "0" and the "1" of one tenth; it may be longer than a character.
    std::string tenth = numberToText(0.1);
    decimalSeparatorStore() = tenth.size() >= 2 ? tenth.substr(1, tenth.size() - 2) : ".";
}

bool tryGetRegionalStringFromEng(const std::string& strIn, std::string& strOut) {
    try {
        initRegionalSettings();
        strOut = replaceAll(strIn, '.', strDecimalSeparator());
        if (!isNumeric(strOut)) {
            return false;
        }
        strOut = numberToText(toDouble(strOut));
        return true;
    } catch (const std::exception&) {
        strOut = "-1.0";
        return false;
    }
}

std::string getRegionalStringFromEng(const std::string& strIn) {
    std::string strOut;
    if (!tryGetRegionalStringFromEng(strIn, strOut)) {
        throw RunnerError(kNotConvertibleError, "mdlRegional:getRegionalStringFromEng",
                          "Could not successfully convert " + strIn + " to regional decimal format.");
    }
    return strOut;
}

} // namespace lumora
