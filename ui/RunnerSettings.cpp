#include "ui/RunnerSettings.h"

#include "script/LocaleConversions.h"
#include "script/RunnerError.h"

namespace lumora {

std::optional<int16_t> drcLimitFromText(std::string_view text) {
    try {
        return toInteger(text);
    } catch (const RunnerError&) {
        return std::nullopt;
    }
}

frmRunnerSettings::frmRunnerSettings(MessageDisplay& messages, RunnerSwitches& switches)
    : text(std::to_string(switches.intDRCLimit)), messages_(messages), switches_(switches) {}

bool frmRunnerSettings::lostFocus() {
    return checkedLimit().has_value();
}

bool frmRunnerSettings::ok() {
    std::optional<int16_t> limit = checkedLimit();
    if (limit) {
        switches_.intDRCLimit = *limit;
    }
    return limit.has_value();
}

std::optional<int16_t> frmRunnerSettings::checkedLimit() {
    std::optional<int16_t> limit = drcLimitFromText(text);
    if (!limit) {
        messages_.showMessage("Error: Invalid value", MessageKind::Error);
    }
    return limit;
}

} // namespace lumora
