#pragma once

#include "engine/runtime/WhileWaiting.h"
#include "engine/runtime/WorkerPool.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <type_traits>
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
