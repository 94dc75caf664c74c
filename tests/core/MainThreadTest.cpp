#include "core/MainThread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>
#include <vector>

// While the main thread waits, a body's last step and the front end's follow-up run on the
// body's own thread, and the body that follow-up starts runs next on that thread: a chain of
// bodies wakes the main thread only when the follow-up asks for it.
TEST(MainThreadTest, PoolThreadsStandInWhileTheMainThreadWaits)
{
    TMainThread main;
    const std::thread::id mainId = std::this_thread::get_id();
    TThreadPool& pool = TThreadPool::Shared();
    constexpr int kBodies = 20;
    int started = 0;
    bool stepServed = false;
    std::vector<std::thread::id> bodyThreads(kBodies), stepThreads;
    std::vector<std::shared_ptr<TThreadPool::TRun>> runs;
    const auto startBody = [&] {
        const int index = started++;
        // A body the main thread starts gives it time to wait first.
        const bool byMain = std::this_thread::get_id() == mainId;
        runs.push_back(pool.Start([&, index, byMain] {
            if (byMain)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            bodyThreads[std::size_t(index)] = std::this_thread::get_id();
            main.Post([&] {
                stepThreads.push_back(std::this_thread::get_id());
                stepServed = true;
            });
        }));
    };
    // What the front end does after its steps, whichever thread holds the main role.
    const auto followUp = [&] {
        if (!stepServed)
            return;
        stepServed = false;
        if (started < kBodies)
            startBody();
        else
            main.Wake();
    };
    main.EnableStandIns(followUp);
    startBody();
    int wakeUps = 0;
    while (stepThreads.size() < std::size_t(kBodies)) {
        main.WaitAndServe(std::chrono::seconds(5));
        followUp();
        ++wakeUps;
    }
    main.DisableStandIns();
    for (const auto& run : runs)
        run->Wait();

    EXPECT_EQ(wakeUps, 1);
    EXPECT_EQ(std::set(bodyThreads.begin(), bodyThreads.end()).size(), 1u);
    for (int i = 0; i < kBodies; ++i)
        EXPECT_EQ(stepThreads[std::size_t(i)], bodyThreads[std::size_t(i)]) << i;
}
