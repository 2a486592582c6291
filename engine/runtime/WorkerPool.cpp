#include "engine/runtime/WorkerPool.h"

#include "engine/runtime/WhileWaiting.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <limits>

namespace lumora::engine {

// The indices of one run, handed out in ranges to whichever thread asks next.
class WorkerPool::Batch {
  public:
    Batch(std::size_t count, std::size_t grain, const std::function<void(std::size_t)>& item)
        : count_(count), grain_(grain), item_(item) {}

    // Runs the next range of indices; false when none is left to hand out.
    bool runRange() {
        const std::size_t begin = next_.fetch_add(grain_);
        if (begin >= count_) {
            return false;
        }
        const std::size_t end = std::min(count_, begin + grain_);
        for (std::size_t i = begin; i < end && i < failedAt_.load(); ++i) {
            try {
                item_(i);
            } catch (...) {
                fail(i, std::current_exception());
            }
        }
        if (finished_.fetch_add(end - begin) + (end - begin) == count_) {
            const std::lock_guard lock(mutex_);
            done_ = true;
            allDone_.notify_all();
        }
        return true;
    }

    // Waits until every range has run, running the while-waiting hook meanwhile where this thread
    // may; then raises the failure of the lowest index, if any.
    void awaitEnd() {
        std::unique_lock lock(mutex_);
        if (waitsRunTheHook()) {
            while (!allDone_.wait_until(lock, whileWaitingHook().nextRun(), [this] { return done_; })) {
                lock.unlock();
                runWhileWaitingHook();
                lock.lock();
            }
        } else {
            allDone_.wait(lock, [this] { return done_; });
        }
        if (failure_) {
            std::rethrow_exception(failure_);
        }
    }

  private:
    void fail(std::size_t index, std::exception_ptr failure) {
        const std::lock_guard lock(mutex_);
        if (index < failedAt_.load()) {
            failedAt_ = index;
            failure_ = std::move(failure);
        }
    }

    const std::size_t count_;
    const std::size_t grain_;
    const std::function<void(std::size_t)>& item_;
    std::atomic<std::size_t> next_ = 0;
    std::atomic<std::size_t> finished_ = 0;
    std::atomic<std::size_t> failedAt_ = std::numeric_limits<std::size_t>::max();
    std::mutex mutex_;
    std::condition_variable allDone_;
    bool done_ = false;
    std::exception_ptr failure_;
};

WorkerPool::WorkerPool(unsigned threads) {
    for (unsigned t = 0; t < threads; ++t) {
        workers_.emplace_back([this] { work(); });
    }
}

WorkerPool::~WorkerPool() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& worker : workers_) {
        worker.join();
    }
}

void WorkerPool::work() {
    for (;;) {
        std::shared_ptr<Batch> batch;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty()) {
                return;
            }
            batch = queue_.front();
        }
        if (!batch->runRange()) {
            const std::lock_guard lock(mutex_);
            std::erase(queue_, batch);
        }
    }
}

void WorkerPool::run(std::size_t count, const std::function<void(std::size_t)>& item) {
    // Fewer items are not worth handing over, unless the caller has to keep its events going.
    constexpr std::size_t kSmallestRun = 64;
    if (!waitsRunTheHook() && count < kSmallestRun) {
        for (std::size_t i = 0; i < count; ++i) {
            item(i);
        }
        return;
    }
    // Ranges small enough to share the work out evenly, large enough to cost little to hand out.
    runInRanges(count, std::clamp<std::size_t>(count / (8 * (threads() + 1)), 1, 1024), item);
}

void WorkerPool::runEach(std::size_t count, const std::function<void(std::size_t)>& item) {
    if (!waitsRunTheHook() && count == 1) {
        item(0);
        return;
    }
    runInRanges(count, 1, item);
}

void WorkerPool::runInRanges(std::size_t count, std::size_t grain,
                             const std::function<void(std::size_t)>& item) {
    if (count == 0) {
        return;
    }
    const bool callerWorks = !waitsRunTheHook();
    auto batch = std::make_shared<Batch>(count, grain, item);
    {
        const std::lock_guard lock(mutex_);
        queue_.push_back(batch);
    }
    wake_.notify_all();
    if (callerWorks) {
        while (batch->runRange()) {
        }
        const std::lock_guard lock(mutex_);
        std::erase(queue_, batch);
    }
    batch->awaitEnd();
}

WorkerPool& workerPool() {
    static WorkerPool pool(std::max(1u, std::thread::hardware_concurrency()));
    return pool;
}

} // namespace lumora::engine
