#pragma once

#include <chrono>

namespace lumora {

// The logs' source of time, replaceable so that tests can fix the date and the durations.
// Both readings have whole seconds, the resolution of the system date-time the logs report.
class Clock {
  public:
    virtual ~Clock() = default;
    // Date and time as the user's wall clock shows them, for the banners.
    virtual std::chrono::local_seconds localTime() const = 0;
    // A count that only moves forward, for durations: adjusting the wall clock or a change of
    // daylight saving time during a run must not distort a step's time.
    virtual std::chrono::seconds ticks() const = 0;
};

class SystemClock : public Clock {
  public:
    std::chrono::local_seconds localTime() const override;
    std::chrono::seconds ticks() const override;
};

const Clock& systemClock();

} // namespace lumora
