#include "core/SafeFile.h"

#include "WriteLimit.h"
#include "support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> FolderEntries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(SafeFileTest, ReplacesTheFileWithTheGivenMode)
{
    TTempDir dir;
    const std::string path = dir.File("data.xml");
    WriteFileBytes(path, "old contents that are longer");
    std::string reason;

    ASSERT_TRUE(WriteFileSafely(path, "new", reason, 0600)) << reason;
    EXPECT_EQ(ReadFileBytes(path), "new");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"data.xml"});
}

TEST(SafeFileTest, FollowsASymbolicLink)
{
    TTempDir dir;
    WriteFileBytes(dir.File("real.xml"), "old");
    fs::create_symlink("real.xml", dir.File("link.xml"));
    std::string reason;

    ASSERT_TRUE(WriteFileSafely(dir.File("link.xml"), "new", reason)) << reason;
    EXPECT_TRUE(fs::is_symlink(dir.File("link.xml")));
    EXPECT_EQ(ReadFileBytes(dir.File("real.xml")), "new");
}

TEST(SafeFileTest, AFailedWriteLeavesTheOldFileAndNoLeftovers)
{
    TTempDir dir;
    const std::string path = dir.File("data.xml");
    WriteFileBytes(path, "old");
    std::string reason;
    bool written = true;
    {
        TWriteLimit limit(8);
        written = WriteFileSafely(path, std::string(100, 'x'), reason);
    }
    EXPECT_FALSE(written);
    EXPECT_NE(reason.find("too large"), std::string::npos) << reason;
    EXPECT_EQ(ReadFileBytes(path), "old");
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"data.xml"});

    EXPECT_FALSE(WriteFileSafely(dir.File("missing/data.xml"), "x", reason));
    EXPECT_NE(reason.find("No such file"), std::string::npos) << reason;
}
