#include "core/WriteBehind.h"

#include <gtest/gtest.h>

#include <future>
#include <stdexcept>
#include <string>
#include <thread>

// A block is written on another thread while the caller goes on; its count, or its failure,
// comes back at the collect, and the writer serves the next block after a failure.
TEST(WriteBehindTest, EachBlockIsWrittenBesideTheCallerAndItsOutcomeCollected)
{
    std::string disk;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::thread::id writer;
    TWriteBehind behind([&](const char* data, int64_t count) -> int64_t {
        writer = std::this_thread::get_id();
        released.wait();
        if (count == 0)
            throw std::runtime_error("disk full");
        disk.append(data, std::size_t(count));
        return count - (count == 3 ? 1 : 0);
    });
    EXPECT_FALSE(behind.Collect()) << "nothing was started";

    // The write waits until the caller lets it go: Start must not wait for it.
    behind.Start("abcd", 4);
    release.set_value();
    EXPECT_EQ(behind.Collect(), 4);
    EXPECT_NE(writer, std::this_thread::get_id());
    EXPECT_FALSE(behind.Collect()) << "an outcome is collected once";

    behind.Start("e", 0);
    EXPECT_THROW(behind.Collect(), std::runtime_error);
    behind.Start("efg", 3);
    EXPECT_EQ(behind.Collect(), 2) << "a short count comes back as the write returned it";
    EXPECT_EQ(disk, "abcdefg");
}

// Going away waits for the block in flight, which its owner frees right after.
TEST(WriteBehindTest, TheBlockInFlightIsWrittenBeforeTheWriterGoes)
{
    std::string disk;
    {
        TWriteBehind behind([&](const char* data, int64_t count) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            disk.append(data, std::size_t(count));
            return count;
        });
        behind.Start("xyz", 3);
    }
    EXPECT_EQ(disk, "xyz");
}
