#include "app/InstanceLock.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

TEST(InstanceLockTest, OneHolderUntilItEnds)
{
    TTempDir dir;
    auto first = std::make_unique<TInstanceLock>(dir.Path().string());
    EXPECT_TRUE(first->TryAcquire());
    EXPECT_TRUE(first->TryAcquire());
    TInstanceLock second(dir.Path().string());
    EXPECT_FALSE(second.TryAcquire());
    EXPECT_EQ(second.ErrorText(), "");
    EXPECT_EQ(second.SocketPath(), dir.Path().string() + "/quorvex.socket");
    first.reset();
    EXPECT_TRUE(second.TryAcquire());
    EXPECT_TRUE(second.Held());

    TInstanceLock nowhere(dir.Path().string() + "/missing");
    EXPECT_FALSE(nowhere.TryAcquire());
    EXPECT_NE(nowhere.ErrorText(), "");
}

TEST(InstanceLockTest, FolderWithoutRuntimeDirIsPrivate)
{
    TTempDir dir;
    std::string error;
    EXPECT_EQ(InstanceFolderIn("/run/user/7", dir.Path().string(), error), "/run/user/7");
    const std::string own = dir.Path().string() + "/quorvex-" + std::to_string(getuid());
    EXPECT_EQ(InstanceFolderIn(nullptr, dir.Path().string(), error), own);
    EXPECT_EQ(error, "");
    struct stat info {};
    ASSERT_EQ(stat(own.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    // A folder others may write to is refused.
    chmod(own.c_str(), 0777);
    EXPECT_EQ(InstanceFolderIn("", dir.Path().string(), error), "");
    EXPECT_NE(error, "");
}
