#pragma once

#include <string_view>

namespace lumora {

// Sub-process timing on the running script window's time log; nothing happens while no window
// runs or the window has no time log.
void startSubProcessTimer(std::string_view label);
void stopSubProcessTimer();

} // namespace lumora
