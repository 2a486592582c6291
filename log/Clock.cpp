#include "log/Clock.h"

#include <ctime>

namespace lumora {

std::chrono::local_seconds SystemClock::localTime() const {
    using namespace std::chrono;
    std::time_t now = system_clock::to_time_t(system_clock::now());
    std::tm parts{};
    localtime_r(&now, &parts);
    local_days date{year{parts.tm_year + 1900} / month(parts.tm_mon + 1) / day(parts.tm_mday)};
    return date + hours{parts.tm_hour} + minutes{parts.tm_min} + seconds{parts.tm_sec};
}

std::chrono::seconds SystemClock::ticks() const {
    using namespace std::chrono;
    return duration_cast<seconds>(steady_clock::now().time_since_epoch());
}

const Clock& systemClock() {
    static const SystemClock clock;
    return clock;
}

} // namespace lumora
