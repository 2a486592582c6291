#pragma once

#include <cstdint>

namespace lumora::colour {

// Colours are 24-bit values in blue-green-red order.
constexpr uint32_t Yellow = 0x00FFFF; // a test is running, or its text after the DRC limit
constexpr uint32_t Green = 0x00FF00;  // passed
constexpr uint32_t Blue = 0xFF0000;   // stopped at the DRC limit
constexpr uint32_t Red = 0x0000FF;    // failed
// The usual value of the system's colour for disabled text: rows that were not checked.
constexpr uint32_t GrayText = 0x808080;

} // namespace lumora::colour
