#pragma once

#include "log/Clock.h"

#include <chrono>

namespace lumora::test {

// Stands still until a test moves it; wall time and ticks advance together.
class FakeClock : public Clock {
  public:
    explicit FakeClock(std::chrono::local_seconds start) : wall_(start) {}

    std::chrono::local_seconds localTime() const override { return wall_; }
    std::chrono::seconds ticks() const override { return ticks_; }

    void advance(std::chrono::seconds by) {
        wall_ += by;
        ticks_ += by;
    }

  private:
    std::chrono::local_seconds wall_;
    std::chrono::seconds ticks_{1000};
};

// 2024-03-07 09:05:03
inline std::chrono::local_seconds march7At0905() {
    using namespace std::chrono;
    return local_days{year{2024} / March / 7} + hours{9} + minutes{5} + seconds{3};
}

} // namespace lumora::test
