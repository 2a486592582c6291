#pragma once

// The common pattern of clsKORVEN's wrappers; included only by the files that define them.

#include "korven/ErrorMessages.h"
#include "korven/SubProcessTimer.h"
#include "korven/clsKORVEN.h"
#include "script/LocaleConversions.h"

#include <exception>
#include <string>
#include <type_traits>

namespace lumora {

enum class FailureForm {
    WithArguments,   // the failure's description, then the wrapper's arguments in parentheses
    DescriptionOnly, // the failure's description alone
};

struct WrapperTraits {
    const char* timerLabel; // the sub-process the call is timed as; nullptr: not timed
    FailureForm form;
};

// One argument as a failure message shows it: numbers in decimal, booleans as True and False.
template <class T> std::string argumentText(const T& value) {
    if constexpr (std::is_same_v<T, bool>) {
        return value ? "True" : "False";
    } else if constexpr (std::is_floating_point_v<T>) {
        return numberToText(value);
    } else if constexpr (std::is_integral_v<T>) {
        return std::to_string(value);
    } else {
        return std::string(value);
    }
}

template <class... Args>
std::string failureText(FailureForm form, const std::string& description, const Args&... arguments) {
    if (form == FailureForm::DescriptionOnly) {
        return description;
    }
    std::string list;
    bool first = true;
    ((list += (first ? "" : ",") + argumentText(arguments), first = false), ...);
    return description + "(" + list + ")";
}

template <class Object, class Call, class... Args>
int16_t clsKORVEN::callKorven(const WrapperTraits& traits, const std::shared_ptr<Object>& object, Call&& call,
                              const Args&... arguments) {
    try {
        if (traits.timerLabel != nullptr) {
            startSubProcessTimer(traits.timerLabel);
        }
        lastError_.clear();
        int16_t code = object ? call(*object) : runnercode::Failed;
        lastError_ = reportError(code);
        korvenDescription_ = code < 0 && objApplication_ ? objApplication_->GetLastErrorDescription() : "";
        if (traits.timerLabel != nullptr) {
            stopSubProcessTimer();
        }
        return code;
    } catch (const std::exception& failure) {
        lastError_ = failureText(traits.form, failure.what(), arguments...);
    } catch (...) {
        lastError_ = failureText(traits.form, "Automation error", arguments...);
    }
    return runnercode::Failed;
}

} // namespace lumora
