#pragma once

#include "korvenapi/KorvenCodes.h"

#include <cstdint>
#include <string>

namespace lumora {

// The runner's own code for a wrapper that could not reach KORVEN: no KORVEN object, or the call
// itself failed. KORVEN's codes are named in korvenapi/KorvenCodes.h (rc::).
namespace korvencode {
constexpr int16_t NoConnection = -999;
} // namespace korvencode

// The message of a KORVEN return code; "" for success.
std::string reportError(int16_t CCReturnCode, const std::string& RoutineName = "");

} // namespace lumora
