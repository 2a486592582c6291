#include "ui/AboutBox.h"

#include "log/ProductInfo.h"

namespace lumora {

std::string aboutCaption() {
    return "About " + std::string(kApplicationTitle);
}

std::string aboutVersionLabel() {
    return std::string(kApplicationTitle) + " V." + versionText();
}

std::string aboutNotice(std::chrono::local_seconds now) {
    std::chrono::year_month_day date{std::chrono::floor<std::chrono::days>(now)};
    return "Copyright (C) " + std::to_string(static_cast<int>(date.year())) + ". All rights reserved.";
}

} // namespace lumora
