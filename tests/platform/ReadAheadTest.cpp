#include "platform/files/ReadAhead.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::TReadAhead;

namespace {

// A file of 26 letters read through a read-ahead of 8; failAt makes the fetch at that
// offset fail.
struct TLetters {
    std::string Data = "abcdefghijklmnopqrstuvwxyz";
    int64_t Position = 0;
    int64_t FailAt = -1;
    std::vector<int64_t> Fetches;

    int64_t operator()(char* out, int64_t count)
    {
        if (Position == FailAt)
            return -1;
        Fetches.push_back(count);
        const int64_t n = std::min<int64_t>(count, int64_t(Data.size()) - Position);
        Data.copy(out, std::size_t(n), std::size_t(Position));
        Position += n;
        return n;
    }
};

} // namespace

TEST(ReadAheadTest, SmallReadsComeFromLargeFetches)
{
    struct Case {
        std::vector<int64_t> Reads;
        std::string Expected;          // the reads joined, "|" between them
        std::vector<int64_t> Fetches;  // sizes asked of the file
    };
    const Case cases[] = {
        {{3, 3, 3}, "abc|def|ghi", {8, 8}},
        {{10, 4}, "abcdefghij|klmn", {10, 8}},      // a read as large as the buffer goes straight through
        {{5, 30}, "abcde|fghijklmnopqrstuvwxyz", {8, 27}},
        {{20, 20, 20}, "abcdefghijklmnopqrst|uvwxyz|", {20, 20}},  // the end, once met, is not asked again
    };
    for (const Case& c : cases) {
        TLetters file;
        TReadAhead ahead(8);
        std::string joined;
        for (std::size_t i = 0; i < c.Reads.size(); ++i) {
            std::string block(std::size_t(c.Reads[i]), '\0');
            const int64_t n = ahead.Read(block.data(), c.Reads[i], std::ref(file));
            ASSERT_GE(n, 0);
            joined += (i ? "|" : "") + block.substr(0, std::size_t(n));
        }
        EXPECT_EQ(joined, c.Expected);
        EXPECT_EQ(file.Fetches, c.Fetches);
        // The file stands ahead of the caller by what is still buffered.
        EXPECT_EQ(file.Position - ahead.Unconsumed(), int64_t(joined.size() - (c.Reads.size() - 1)));
    }
}

TEST(ReadAheadTest, FailureAfterBufferedBytesEndsTheReadShortThenFails)
{
    TLetters file;
    file.FailAt = 8;
    TReadAhead ahead(8);
    char block[6];
    ASSERT_EQ(ahead.Read(block, 6, std::ref(file)), 6);
    EXPECT_EQ(ahead.Read(block, 6, std::ref(file)), 2);
    EXPECT_EQ(ahead.Read(block, 6, std::ref(file)), -1);
}

TEST(ReadAheadTest, APrefetchServesTheReadsThatFollowIt)
{
    TLetters file;
    TReadAhead ahead(30);
    ASSERT_TRUE(ahead.Prefetch(std::ref(file)));
    EXPECT_TRUE(ahead.Holds(26)) << "the whole file, its end included";
    char block[26];
    EXPECT_EQ(ahead.Read(block, 26, std::ref(file)), 26);
    EXPECT_EQ(ahead.Read(block, 26, std::ref(file)), 0);
    EXPECT_EQ(file.Fetches, std::vector<int64_t>{30});

    // A failed prefetch leaves the read to ask again.
    TLetters failing;
    failing.FailAt = 0;
    TReadAhead again(8);
    EXPECT_FALSE(again.Prefetch(std::ref(failing)));
    EXPECT_FALSE(again.Holds(1));
    failing.FailAt = -1;
    EXPECT_EQ(again.Read(block, 3, std::ref(failing)), 3);
}
