#pragma once

#include "korven/CurrentWindow.h"

#include <string>

namespace lumora {

class clsKORVEN;
class clsTestItem;

// The running script window; throws when a test routine runs without one.
CurrentWindow& runningWindow();
clsKORVEN& runningKorven();

// Writes one line to the running window's run log; dropped when no log is open.
void writeRunLog(const std::string& line);

// A parameter of the test read with the user's locale; throws "Type mismatch" or "Overflow". A
// parameter that holds no value (never given, only read) is 0.
double numberParameter(clsTestItem& test, const std::string& name);
int16_t integerParameter(clsTestItem& test, const std::string& name);
std::string textParameter(clsTestItem& test, const std::string& name);

} // namespace lumora
