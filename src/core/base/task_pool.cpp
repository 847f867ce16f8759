#include "base/task_pool.h"

#include <algorithm>

namespace sorvane {

int TaskPool::Processors() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

TaskPool::TaskPool(int workers) {
    if (workers <= 0) workers = std::max(1, Processors() - 1);
    threads_.reserve(static_cast<size_t>(workers));
    for (int i = 0; i < workers; ++i) threads_.emplace_back([this] { Run(); });
}

TaskPool::~TaskPool() {
    {
        std::unique_lock lock(mutex_);
        idle_.wait(lock, [this] { return unfinished_ == 0; });
        stopping_ = true;
    }
    work_.notify_all();
    for (std::thread& t : threads_) t.join();
}

void TaskPool::Submit(std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(task));
        ++unfinished_;
    }
    work_.notify_one();
}

void TaskPool::Run() {
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(mutex_);
            work_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty()) return;  // stopping, and nothing left
            task = std::move(queue_.front());
            queue_.pop_front();
        }
        try {
            task();
        } catch (...) {
            std::lock_guard lock(mutex_);
            if (!failure_) failure_ = std::current_exception();
        }
        bool last = false;
        {
            std::lock_guard lock(mutex_);
            last = --unfinished_ == 0;
        }
        if (last) idle_.notify_all();
    }
}

void TaskPool::RethrowFailure() {
    std::exception_ptr f;
    {
        std::lock_guard lock(mutex_);
        std::swap(f, failure_);
    }
    if (f) std::rethrow_exception(f);
}

void TaskPool::Wait() {
    {
        std::unique_lock lock(mutex_);
        idle_.wait(lock, [this] { return unfinished_ == 0; });
    }
    RethrowFailure();
}

bool TaskPool::WaitFor(std::chrono::milliseconds timeout) {
    {
        std::unique_lock lock(mutex_);
        if (!idle_.wait_for(lock, timeout, [this] { return unfinished_ == 0; })) return false;
    }
    RethrowFailure();
    return true;
}

}  // namespace sorvane
