#pragma once

#include <chrono>
#include <string>

namespace lumora {

// A duration as the time log writes it: in days times 100000 (a unit of 0.864 s, which readers
// of old time logs compare against), rounded to 2 decimals, always with "." as the decimal point.
std::string elapsedText(std::chrono::seconds elapsed);

} // namespace lumora
