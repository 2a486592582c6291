#pragma once

#include "engine/runtime/WhileWaiting.h"
#include "engine/runtime/WorkerPool.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <iterator>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

namespace lumora::engine {

// Runs measure(i) for every i in [0, count) on the process's worker pool and returns the results in
// index order, so that what a check finds does not depend on the threads. A failure is raised
// here, on the caller's thread; while it waits, the caller's thread runs the while-waiting hook.
template <class Result, class Measure>
std::vector<Result> measureInParallel(std::size_t count, Measure measure) {
    static_assert(!std::is_same_v<Result, bool>, "std::vector<bool> cannot be written by several threads");
    std::vector<Result> results(count);
    workerPool().run(count, [&](std::size_t i) { results[i] = measure(i); });
    return results;
}

// The results of measure(i), i in [0, count), that hold a value, each with its i, in index order.
// Measured in ranges on the pool and joined, so that memory follows what is found, not count: a
// result kept for each of a million candidate pairs outweighed the few that break a limit.
template <class Result, class Measure>
std::vector<std::pair<std::size_t, Result>> foundInParallel(std::size_t count, Measure measure) {
    constexpr std::size_t kRange = 1024;
    std::vector<std::vector<std::pair<std::size_t, Result>>> ranges((count + kRange - 1) / kRange);
    workerPool().runEach(ranges.size(), [&](std::size_t r) {
        for (std::size_t i = r * kRange; i < std::min(count, (r + 1) * kRange); ++i) {
            if (std::optional<Result> result = measure(i)) {
                ranges[r].emplace_back(i, std::move(*result));
            }
        }
    });
    std::vector<std::pair<std::size_t, Result>> found;
    for (auto& range : ranges) {
        found.insert(found.end(), std::make_move_iterator(range.begin()),
                     std::make_move_iterator(range.end()));
    }
    return found;
}

// Calls body(i) for every i in [0, count) on the pool, each a long step of its own, in the shape the
// searches and their indexes take.
inline void onThePool(std::size_t count, const std::function<void(std::size_t)>& body) {
    workerPool().runEach(count, body);
}

// A long step of a check, run on a worker while the caller's thread runs the hook; on the caller's
// thread when there is no hook to run.
template <class Work> auto awaitRunningTheHook(Work work) -> decltype(work()) {
    if (!waitsRunTheHook()) {
        return work();
    }
    std::optional<decltype(work())> result;
    workerPool().run(1, [&](std::size_t) { result.emplace(work()); });
    return std::move(*result);
}

} // namespace lumora::engine
