#pragma once

#include <chrono>
#include <functional>

namespace lumora::engine {

// What the caller's thread does while a check waits for its worker threads: the desktop program
// lets its window messages through, so that Stop and repaints are seen during long checks. It is
// called at least every kWaitSlice and never from a worker thread.
inline constexpr std::chrono::milliseconds kWaitSlice{50};

inline std::function<void()>& whileWaitingHook() {
    static std::function<void()> hook;
    return hook;
}

inline void setWhileWaiting(std::function<void()> hook) {
    whileWaitingHook() = std::move(hook);
}

} // namespace lumora::engine
