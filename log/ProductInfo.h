#pragma once

#include <string>
#include <string_view>

namespace lumora {

// The product as banners, captions and messages name it. The numbers come from the build's
// project version, so a release changes them in one place.
inline constexpr std::string_view kApplicationTitle = "Lumora Runner";
inline constexpr int kVersionMajor = LUMORA_VERSION_MAJOR;
inline constexpr int kVersionMinor = LUMORA_VERSION_MINOR;
inline constexpr int kVersionRevision = LUMORA_VERSION_PATCH;

// "1.2.68"
inline std::string versionText() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

} // namespace lumora
