#include "core/ThreadPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <iterator>
#include <mutex>
#include <vector>

// Bodies that wait for one another each get a thread, whether idle threads are left over
// from earlier bodies or not; a wait returns only once its body has returned.
TEST(ThreadPoolTest, BodiesThatWaitForEachOtherRunAtOnce)
{
    TThreadPool& pool = TThreadPool::Shared();
    for (int round = 0; round < 3; ++round) {
        const int bodies = 2 + round * 3;
        std::mutex mutex;
        std::condition_variable arrived;
        int present = 0;
        std::atomic<int> returned{0};
        std::vector<std::shared_ptr<TThreadPool::TRun>> runs;
        for (int i = 0; i < bodies; ++i)
            runs.push_back(pool.Start([&] {
                std::unique_lock lock(mutex);
                ++present;
                arrived.notify_all();
                arrived.wait(lock, [&] { return present == bodies; });
                ++returned;
            }));
        for (const auto& run : runs)
            run->Wait();
        EXPECT_EQ(returned, bodies) << round;
    }
}

// A body started as soon as the previous one's wait has returned takes a thread that is
// there: one after another, a long list of bodies never adds threads to the process.
TEST(ThreadPoolTest, BodiesOneAfterAnotherAddNoThreads)
{
    TThreadPool& pool = TThreadPool::Shared();
    pool.Start([] {})->Wait();
    const auto threads = [] {
        std::error_code error;
        return std::distance(std::filesystem::directory_iterator("/proc/self/task", error),
                             std::filesystem::directory_iterator());
    };
    const auto before = threads();
    for (int i = 0; i < 200; ++i)
        pool.Start([] {})->Wait();
    EXPECT_EQ(threads(), before);
}
