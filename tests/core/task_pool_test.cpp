#include "base/task_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace sorvane {
namespace {

TEST(TaskPoolTest, RunsEveryTaskOnceAndWaitsForAll) {
    for (int workers : {1, 2, 4}) {
        TaskPool pool(workers);
        std::vector<std::atomic<int>> hits(500);
        for (size_t i = 0; i < hits.size(); ++i) pool.Submit([&hits, i] { ++hits[i]; });
        pool.Wait();
        for (auto& h : hits) ASSERT_EQ(h.load(), 1) << workers << " workers";
        // The pool is reusable after a wait.
        std::atomic<int> more{0};
        for (int i = 0; i < 10; ++i) pool.Submit([&more] { ++more; });
        pool.Wait();
        EXPECT_EQ(more.load(), 10);
    }
}

TEST(TaskPoolTest, WaitForTimesOutWhileATaskRunsAndRethrowsAFailure) {
    TaskPool pool(1);
    std::atomic<bool> release{false};
    pool.Submit([&release] {
        while (!release) std::this_thread::yield();
    });
    EXPECT_FALSE(pool.WaitFor(std::chrono::milliseconds(5)));
    release = true;
    EXPECT_TRUE(pool.WaitFor(std::chrono::milliseconds(5000)));

    pool.Submit([] { throw std::runtime_error("disk full"); });
    pool.Submit([] {});
    EXPECT_THROW(pool.Wait(), std::runtime_error);
    EXPECT_NO_THROW(pool.Wait());  // reported once
}

TEST(TaskPoolTest, DestructorFinishesQueuedWork) {
    std::atomic<int> done{0};
    {
        TaskPool pool(2);
        for (int i = 0; i < 100; ++i) pool.Submit([&done] { ++done; });
    }
    EXPECT_EQ(done.load(), 100);
}

}  // namespace
}  // namespace sorvane
