#pragma once

#include <chrono>
#include <functional>
#include <thread>
#include <utility>

namespace lumora::engine {

// What the caller's thread does while the engine works: the desktop program lets its window
// messages through, so that Stop and repaints are seen during long calls. The hook runs only on
// the thread that set it, at least every kWaitSlice while a check waits for the worker threads,
// and about as often during the long steps that thread does itself (walking a board, freeing a
// geometry), which tick an EventSlices per item.
inline constexpr std::chrono::milliseconds kWaitSlice{25};

struct WhileWaitingHook {
    using Clock = std::chrono::steady_clock;
    std::function<void()> hook;
    std::thread::id owner;
    Clock::time_point lastRun; // touched by the owner only, as are the ticks
    unsigned ticks = 0;        // shared by every step, so that many short ones add up

    Clock::time_point nextRun() const { return lastRun + kWaitSlice; }
};

inline WhileWaitingHook& whileWaitingHook() {
    static WhileWaitingHook current;
    return current;
}

inline void setWhileWaiting(std::function<void()> hook) {
    whileWaitingHook() = {std::move(hook), std::this_thread::get_id(), WhileWaitingHook::Clock::now()};
}

// True when the calling thread is the one whose waits run the hook.
inline bool waitsRunTheHook() {
    const WhileWaitingHook& current = whileWaitingHook();
    return current.hook && current.owner == std::this_thread::get_id();
}

// Runs the hook on its owner's thread; the time it ran starts the next slice.
inline void runWhileWaitingHook() {
    WhileWaitingHook& current = whileWaitingHook();
    current.hook();
    current.lastRun = WhileWaitingHook::Clock::now();
}

// Holds the hook back for a step during which the front end must not act, such as reading a design
// that no window has yet: its waits for the worker threads let no events through, and the caller's
// thread works along with them.
class WithoutEvents {
  public:
    WithoutEvents() : held_(std::exchange(whileWaitingHook(), {})) {}
    ~WithoutEvents() { whileWaitingHook() = std::move(held_); }
    WithoutEvents(const WithoutEvents&) = delete;
    WithoutEvents& operator=(const WithoutEvents&) = delete;

  private:
    WhileWaitingHook held_;
};

// For a long step the caller's thread does itself: tick() once per item lets the events through
// when a slice has passed since they last went. Cheap enough for every item, as it reads the clock
// only every kTicksPerLook ticks.
class EventSlices {
  public:
    EventSlices() : hooked_(waitsRunTheHook()) {}

    void tick() {
        if (hooked_ && ++whileWaitingHook().ticks % kTicksPerLook == 0) {
            runHookWhenDue();
        }
    }

  private:
    static constexpr unsigned kTicksPerLook = 128;

    static void runHookWhenDue() {
        if (waitsRunTheHook() && WhileWaitingHook::Clock::now() >= whileWaitingHook().nextRun()) {
            runWhileWaitingHook();
        }
    }

    bool hooked_;
};

} // namespace lumora::engine
