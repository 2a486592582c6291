#include "engine/measure/Parallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
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

// Work that a check runs on another thread never lets the front end's events through from there.
TEST(WhileWaiting, OnlyTheThreadThatSetTheHookRunsIt) {
    std::atomic<int> calls = 0;
    setWhileWaiting([&] { ++calls; });
    auto slow = [](std::size_t) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return 1;
    };
    auto elsewhere = std::async(std::launch::async, [&] { return measureInParallel<int>(256, slow).size(); });
    EXPECT_EQ(elsewhere.get(), 256u);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(awaitRunningTheHook([&] { return measureInParallel<int>(256, slow).size(); }), 256u);
    EXPECT_GT(calls, 0);
    setWhileWaiting(nullptr);
}
