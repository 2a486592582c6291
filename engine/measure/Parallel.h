#pragma once

#include "engine/measure/WhileWaiting.h"

#include <algorithm>
#include <cstddef>
#include <future>
#include <thread>
#include <vector>

namespace lumora::engine {

// Runs measure(i) for every i in [0, count) on a few threads and returns the results in index
// order, so that what a check finds does not depend on the threads. A failure of any call is
// raised here, on the caller's thread, once every thread has finished; while it waits the caller's
// thread runs the while-waiting hook.
template <class Result, class Measure>
std::vector<Result> measureInParallel(std::size_t count, Measure measure) {
    constexpr std::size_t kSmallestShare = 64; // fewer items are not worth a thread
    const std::size_t threads =
        std::clamp<std::size_t>(count / kSmallestShare, 1, std::max(1u, std::thread::hardware_concurrency()));
    std::vector<Result> results(count);
    if (threads == 1) {
        for (std::size_t i = 0; i < count; ++i) {
            results[i] = measure(i);
        }
        return results;
    }
    std::vector<std::future<void>> shares;
    for (std::size_t t = 0; t < threads; ++t) {
        shares.push_back(std::async(std::launch::async, [&, t] {
            for (std::size_t i = t; i < count; i += threads) {
                results[i] = measure(i);
            }
        }));
    }
    for (auto& share : shares) {
        waitRunningTheHook(share);
    }
    for (auto& share : shares) {
        share.get();
    }
    return results;
}

} // namespace lumora::engine
