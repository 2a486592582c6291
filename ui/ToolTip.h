#pragma once

#include "script/clsTestItem.h"

#include <string>

namespace lumora {

// The parameter tip of a grid row: the name, then one "name -> value" line per parameter, each
// line ended by CR.
std::string toolTipText(const clsTestItem& item);

struct TwipSize {
    long width;
    long height;
};

// 210 twips per line and 90 twips per character of the longest line, its CR counted.
TwipSize toolTipSize(const std::string& text);

} // namespace lumora
