#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace lumora::engine {

// The process's worker threads, started on first use and kept until it exits: every check hands
// its per-item loops to them instead of starting threads of its own.
class WorkerPool {
  public:
    explicit WorkerPool(unsigned threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // Calls item(i) for every i in [0, count), on the workers and, unless it runs the
    // while-waiting hook meanwhile, on the calling thread too; returns when every call has
    // returned. A call from a worker (a loop inside a loop) works along as any other caller does,
    // so it never waits for workers that wait for it. The failure of the lowest index that failed
    // is raised here, on the calling thread; items after it may be left out.
    void run(std::size_t count, const std::function<void(std::size_t)>& item);
    // The same for a few long items, each handed out on its own, however few: run() keeps a short
    // run on the calling thread, and a split of a million boxes is a handful of long steps. So are
    // ranges a caller cut itself: forty ranges of a thousand items each ran on one thread.
    void runEach(std::size_t count, const std::function<void(std::size_t)>& item);

    unsigned threads() const { return static_cast<unsigned>(workers_.size()); }

  private:
    class Batch;
    void work();
    void runInRanges(std::size_t count, std::size_t grain, const std::function<void(std::size_t)>& item);

    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::shared_ptr<Batch>> queue_;
    bool stopping_ = false;
};

// The pool of the process, one thread per core.
WorkerPool& workerPool();

} // namespace lumora::engine
