#pragma once

#include <string>

namespace lumora {

// Scripts and built-in defaults write numbers with "."; the runner reads them with the user's
// locale. These turn "." notation into the regional text of the same number.

// The user's decimal separator, refreshed by initRegionalSettings.
const std::string& strDecimalSeparator();

void initRegionalSettings();

// True when strIn is a number in "." notation; strOut then holds its regional text. Never throws.
bool tryGetRegionalStringFromEng(const std::string& strIn, std::string& strOut);

// The regional text of strIn; throws RunnerError -2147220991 when strIn is not a number.
std::string getRegionalStringFromEng(const std::string& strIn);

} // namespace lumora
