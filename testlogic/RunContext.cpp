#include "testlogic/RunContext.h"

#include "korven/KorvenFailure.h"
#include "log/clsLogFile.h"
#include "script/LocaleConversions.h"
#include "script/clsTestItem.h"

namespace lumora {

CurrentWindow& runningWindow() {
    CurrentWindow* window = frmCurChild();
    if (window == nullptr) {
        throw RunnerError(errnum::KorvenFailure, "mdlTestLogic", "No script window is running");
    }
    return *window;
}

clsKORVEN& runningKorven() {
    return runningWindow().objKorven();
}

void writeRunLog(const std::string& line) {
    if (clsLogFile* log = runningWindow().logFile()) {
        log->writeString(line);
    }
}

namespace {

// A parameter that holds no value reads as 0, like an empty variant; a stored text must convert.
template <class Convert> auto convertParameter(clsTestItem& test, const std::string& name, Convert convert) {
    TextDictionary& parameters = test.dictProperties();
    std::string text = parameters.item(name);
    return parameters.holdsValue(name) ? convert(text) : decltype(convert(text)){};
}

} // namespace

double numberParameter(clsTestItem& test, const std::string& name) {
    return convertParameter(test, name, [](const std::string& text) { return toDouble(text); });
}

int16_t integerParameter(clsTestItem& test, const std::string& name) {
    return convertParameter(test, name, [](const std::string& text) { return toInteger(text); });
}

std::string textParameter(clsTestItem& test, const std::string& name) {
    return test.dictProperties().item(name);
}

} // namespace lumora
