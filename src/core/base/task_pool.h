// A small fixed pool of worker threads for work that can overlap: tasks run in any order on
// any worker, and the owner waits for all of them, with a timeout so that a window can keep
// pumping its messages meanwhile.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace sorvane {

class TaskPool {
  public:
    // `workers` threads; 0 means one per processor beyond the caller's, at least one.
    explicit TaskPool(int workers = 0);
    TaskPool(const TaskPool&) = delete;
    TaskPool& operator=(const TaskPool&) = delete;
    // Runs what was submitted to its end, then stops the workers.
    ~TaskPool();

    int Workers() const { return static_cast<int>(threads_.size()); }
    // Queues a task. A task must not throw past its end; if one does, the first exception
    // is kept and rethrown by the next Wait.
    void Submit(std::function<void()> task);
    // Blocks until every submitted task has ended.
    void Wait();
    // Waits at most `timeout`; true when every submitted task has ended (then as Wait).
    bool WaitFor(std::chrono::milliseconds timeout);
    // One per processor of the machine, at least 1.
    static int Processors();

  private:
    void Run();
    void RethrowFailure();

    std::mutex mutex_;
    std::condition_variable work_;  // a task was queued, or the pool stops
    std::condition_variable idle_;  // the count of unfinished tasks reached 0
    std::deque<std::function<void()>> queue_;
    size_t unfinished_ = 0;  // queued or running
    bool stopping_ = false;
    std::exception_ptr failure_;
    std::vector<std::thread> threads_;
};

}  // namespace sorvane
