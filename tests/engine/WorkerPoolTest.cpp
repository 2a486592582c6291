#include "engine/runtime/Parallel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <optional>
#include <set>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

using namespace lumora::engine;

// Results come back in index order, and every run uses the same few threads.
TEST(WorkerPool, ResultsInIndexOrderFromTheSameThreads) {
    std::mutex mutex;
    std::set<std::thread::id> threads;
    for (int run = 0; run < 20; ++run) {
        const std::vector<std::size_t> results = measureInParallel<std::size_t>(5000, [&](std::size_t i) {
            const std::lock_guard lock(mutex);
            threads.insert(std::this_thread::get_id());
            return 3 * i;
        });
        ASSERT_EQ(results.size(), 5000u);
        for (std::size_t i = 0; i < results.size(); ++i) {
            ASSERT_EQ(results[i], 3 * i);
        }
    }
    EXPECT_LE(threads.size(), workerPool().threads() + 1);
}

// Catches a hit lost or doubled at a range's border, or hits out of order: every seventh of a count
// that ends inside a range, and none at all.
TEST(WorkerPool, FoundInParallelKeepsEveryHitInIndexOrder) {
    const auto found = foundInParallel<std::size_t>(5000, [](std::size_t i) {
        return i % 7 == 0 || i == 1023 || i == 1024 ? std::optional(2 * i) : std::nullopt;
    });
    std::vector<std::pair<std::size_t, std::size_t>> expected;
    for (std::size_t i = 0; i < 5000; ++i) {
        if (i % 7 == 0 || i == 1023 || i == 1024) {
            expected.emplace_back(i, 2 * i);
        }
    }
    EXPECT_EQ(found, expected);
    EXPECT_TRUE(foundInParallel<int>(0, [](std::size_t) { return std::optional(1); }).empty());
}

// Catches a few long steps kept on the caller's thread one after another (as run() keeps a short
// run): the first of two waits until the second has started, which only another thread can do.
TEST(WorkerPool, AFewLongStepsEachRunOnAThreadOfTheirOwn) {
    std::promise<void> secondStarted;
    std::future<void> started = secondStarted.get_future();
    std::array<std::thread::id, 2> threads;
    workerPool().runEach(2, [&](std::size_t i) {
        threads[i] = std::this_thread::get_id();
        if (i == 1) {
            secondStarted.set_value();
        } else {
            started.wait_for(std::chrono::seconds(10));
        }
    });
    EXPECT_NE(threads[0], threads[1]);
}

// Of several failing items, the lowest index's failure reaches the caller, also one that waits
// running the hook, and also from a loop inside a loop.
TEST(WorkerPool, TheFirstFailureIsRaisedOnTheCaller) {
    auto failing = [](std::size_t i) {
        if (i == 300 || i == 700) {
            throw std::runtime_error("item " + std::to_string(i));
        }
        return static_cast<int>(i);
    };
    EXPECT_THROW(
        {
            try {
                measureInParallel<int>(1000, failing);
            } catch (const std::runtime_error& error) {
                EXPECT_STREQ(error.what(), "item 300");
                throw;
            }
        },
        std::runtime_error);
    setWhileWaiting([] {});
    EXPECT_THROW(awaitRunningTheHook([&] { return measureInParallel<int>(1000, failing).size(); }),
                 std::runtime_error);
    setWhileWaiting(nullptr);
}

// The workers hold on until the caller's thread has run the hook, which it can only do while it
// waits for them; a wait without the hook leaves every result false.
TEST(WorkerPool, TheCallerRunsTheHookWhileTheWorkersWork) {
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
TEST(WorkerPool, OnlyTheThreadThatSetTheHookRunsIt) {
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

// A long step on the caller's own thread lets the events through once a slice has passed since they
// last went, and never from another thread; the ticks of short steps add up.
TEST(WorkerPool, ALongStepRunsTheHookWhenASliceHasPassed) {
    int calls = 0;
    setWhileWaiting([&] { ++calls; });
    auto tick = [](int times) {
        for (int i = 0; i < times; ++i) {
            EventSlices().tick(); // a new step each time: the ticks count across steps
        }
    };
    whileWaitingHook().lastRun -= std::chrono::seconds(1);
    tick(127);
    EXPECT_EQ(calls, 0); // the clock is not read on every tick
    tick(1);
    EXPECT_EQ(calls, 1);
    tick(10 * 128);
    EXPECT_EQ(calls, 1); // the slice since it ran has not passed
    whileWaitingHook().lastRun -= std::chrono::seconds(1);
    std::async(std::launch::async, [&] { tick(10 * 128); }).get();
    EXPECT_EQ(calls, 1);
    tick(128);
    EXPECT_EQ(calls, 2);
    setWhileWaiting(nullptr);
}
