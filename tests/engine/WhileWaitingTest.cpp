#include "engine/checks/Parallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace lumora::engine;

// The workers hold on until the caller's thread has run the hook, which it can only do while it
// waits for them; a wait without the hook leaves every result false.
TEST(WhileWaiting, TheCallerRunsTheHookWhileTheWorkersWork) {
    std::atomic<bool> hookRan = false;
    std::thread::id caller = std::this_thread::get_id();
    std::thread::id hookThread;
    setWhileWaiting([&] {
        hookThread = std::this_thread::get_id();
        hookRan = true;
    });
    std::vector<char> seen = measureInParallel<char>(256, [&](std::size_t) {
        for (int i = 0; i < 400 && !hookRan; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return static_cast<char>(hookRan.load());
    });
    setWhileWaiting(nullptr);
    EXPECT_EQ(std::ranges::count(seen, 1), 256);
    EXPECT_EQ(hookThread, caller);
}
