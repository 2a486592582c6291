#pragma once

#include <chrono>
#include <string>

namespace lumora {

// The texts of the About box.
std::string aboutCaption();      // "About Lumora Runner"
std::string aboutVersionLabel(); // "Lumora Runner V.1.2.68"
// The notice carries the year of now in four digits.
std::string aboutNotice(std::chrono::local_seconds now);

} // namespace lumora
