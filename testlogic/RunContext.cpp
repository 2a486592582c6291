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

double numberParameter(clsTestItem& test, const std::string& name) {
    return toDouble(test.dictProperties().item(name));
}

int16_t integerParameter(clsTestItem& test, const std::string& name) {
    return toInteger(test.dictProperties().item(name));
}

std::string textParameter(clsTestItem& test, const std::string& name) {
    return test.dictProperties().item(name);
}

} // namespace lumora
