#pragma once

#include "korven/CurrentWindow.h"

#include <algorithm>
#include <chrono>

namespace lumora::bench {

// The longest time between two calls of events(), the start and the end counting as calls. As the
// event pump, it sees every point where the desktop program would let its events through.
class GapMeter : public EventPump {
  public:
    using Clock = std::chrono::steady_clock;

    void events() {
        const Clock::time_point now = Clock::now();
        longest_ = std::max(longest_, now - last_);
        sinceMark_ = std::max(sinceMark_, now - last_);
        last_ = now;
    }
    void doEvents() override { events(); }

    double longestMilliseconds() const { return milliseconds(longest_); }
    // The longest gap since the last call, counting the one still open; without letting events
    // through itself, so that taking a measure does not split a gap.
    double takeLongestSinceMark() {
        const double longest = milliseconds(std::max(sinceMark_, Clock::now() - last_));
        sinceMark_ = {};
        return longest;
    }

  private:
    static double milliseconds(Clock::duration span) {
        return std::chrono::duration<double, std::milli>(span).count();
    }

    Clock::time_point last_ = Clock::now();
    Clock::duration longest_{};
    Clock::duration sinceMark_{};
};

} // namespace lumora::bench
