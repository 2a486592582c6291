#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace lumora::engine {

// What the caller's thread does while a check works on the worker threads: the desktop program lets
// its window messages through, so that Stop and repaints are seen during long checks. The hook
// runs at least every kWaitSlice, and only on the thread that set it.
inline constexpr std::chrono::milliseconds kWaitSlice{50};

struct WhileWaitingHook {
    std::function<void()> hook;
    std::thread::id owner;
};

inline WhileWaitingHook& whileWaitingHook() {
    static WhileWaitingHook current;
    return current;
}

inline void setWhileWaiting(std::function<void()> hook) {
    whileWaitingHook() = {std::move(hook), std::this_thread::get_id()};
}

// True when the calling thread is the one whose waits run the hook.
inline bool waitsRunTheHook() {
    const WhileWaitingHook& current = whileWaitingHook();
    return current.hook && current.owner == std::this_thread::get_id();
}

} // namespace lumora::engine
