#pragma once

#include <chrono>
#include <functional>
#include <future>
#include <thread>

namespace lumora::engine {

// What the caller's thread does while a check works on other threads: the desktop program lets
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

// Waits for the future, running the hook meanwhile where this thread may.
template <class Result> void waitRunningTheHook(std::future<Result>& pending) {
    if (!waitsRunTheHook()) {
        pending.wait();
        return;
    }
    while (pending.wait_for(kWaitSlice) != std::future_status::ready) {
        whileWaitingHook().hook();
    }
}

// A long step of a check, run on another thread while the caller's thread runs the hook; on the
// caller's thread when there is no hook to run.
template <class Work> auto awaitRunningTheHook(Work work) -> decltype(work()) {
    if (!waitsRunTheHook()) {
        return work();
    }
    auto pending = std::async(std::launch::async, std::move(work));
    waitRunningTheHook(pending);
    return pending.get();
}

} // namespace lumora::engine
