#pragma once

#include <cstdint>
#include <string>

namespace lumora {

// KORVEN's return codes that the runner gives a meaning of its own.
namespace korvencode {
constexpr int16_t Success = 0;
constexpr int16_t DrcLimitReached = 1;
constexpr int16_t IndexOutOfRange = -8;
constexpr int16_t EmptyArray = -9; // an answer: nothing of the kind asked for
constexpr int16_t HoleInTheArray = -14;
constexpr int16_t NoConnection = -999; // no KORVEN object, or the call itself failed
} // namespace korvencode

// The message of a KORVEN return code; "" for success.
std::string reportError(int16_t CCReturnCode, const std::string& RoutineName = "");

} // namespace lumora
