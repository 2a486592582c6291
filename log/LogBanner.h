#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace lumora {

// "Lumora Runner v.<version> <kind> on <date and time>", the line that opens each run in a log.
std::string logBanner(std::string_view kind, std::chrono::local_seconds when);

// Date and time as "YYYY-MM-DD hh:mm:ss": unambiguous in every region and free of the locale.
std::string dateTimeText(std::chrono::local_seconds when);

} // namespace lumora
