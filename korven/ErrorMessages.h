#pragma once

#include "korvenapi/KorvenCodes.h"

#include <cstdint>
#include <string>

namespace lumora {

// The message of a KORVEN return code; "" for success.
std::string reportError(int16_t CCReturnCode, const std::string& RoutineName = "");

} // namespace lumora
