#pragma once

#include "script/RunnerError.h"

#include <string>

namespace lumora {

namespace errnum {
constexpr int32_t SubscriptOutOfRange = 9;
constexpr int32_t KorvenFailure = ApplicationBase; // a KORVEN operation that the runner gives up on
} // namespace errnum

// Raises the failure that a family routine's failure path reports as source {description}.
[[noreturn]] void raiseKorvenFailure(const std::string& source, const std::string& description);

[[noreturn]] void raiseSubscriptOutOfRange(const std::string& source);

// value as a 16-bit KORVEN argument; throws RunnerError "Overflow" when it does not fit.
int16_t toInteger16(int32_t value, const std::string& source);

} // namespace lumora
