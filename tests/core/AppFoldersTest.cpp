#include "core/AppFolders.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// Points the program-wide folders at a test's own folders and puts the old ones back.
class TFoldersScope {
public:
    explicit TFoldersScope(const TAppFolders& folders) : Saved_(AppFolders()) { SetAppFolders(folders); }
    ~TFoldersScope() { SetAppFolders(Saved_); }

private:
    TAppFolders Saved_;
};

} // namespace

TEST(AppFoldersTest, DataFolderFollowsTheEnvironment)
{
    struct Case {
        const char* xdgDataHome;
        const char* home;
        const char* dataFolder;
    } cases[] = {
        {"/xdg", "/home/u", "/xdg/Velmora/Quorvex/"},
        {"/xdg/", "/home/u", "/xdg/Velmora/Quorvex/"},
        {"", "/home/u", "/home/u/.local/share/Velmora/Quorvex/"},
        {"relative/data", "/home/u", "/home/u/.local/share/Velmora/Quorvex/"},
    };
    for (const Case& c : cases) {
        const TAppFolders folders = ComputeAppFolders("/opt/q/quorvex", c.xdgDataHome, c.home);
        EXPECT_EQ(folders.DataFolder, c.dataFolder) << "XDG_DATA_HOME=" << c.xdgDataHome;
    }
}

TEST(AppFoldersTest, ResourcesComeFromShareOnlyWhenInstalled)
{
    TTempDir dir;
    const std::string prefix = dir.Path().string();
    fs::create_directories(prefix + "/installed/bin");
    fs::create_directories(prefix + "/installed/share/quorvex");
    fs::create_directories(prefix + "/plain/bin");

    const TAppFolders installed = ComputeAppFolders(prefix + "/installed/bin/quorvex", "", "/h");
    EXPECT_EQ(installed.ProgramFolder, prefix + "/installed/bin/");
    EXPECT_EQ(installed.DefaultsFolder, prefix + "/installed/share/quorvex/Default/");
    EXPECT_EQ(installed.LanguagesFolder, prefix + "/installed/share/quorvex/Languages/");

    // A bin folder without share/quorvex beside it is a build tree.
    const TAppFolders plain = ComputeAppFolders(prefix + "/plain/bin/quorvex", "", "/h");
    EXPECT_EQ(plain.ProgramFolder, prefix + "/plain/bin/");
    EXPECT_EQ(plain.DefaultsFolder, prefix + "/plain/bin/Default/");
    EXPECT_EQ(plain.LanguagesFolder, prefix + "/plain/bin/Languages/");
}

TEST(AppFoldersTest, DataFileIsSeededOnceFromTheFactoryCopy)
{
    TTempDir dir;
    TAppFolders folders;
    folders.DefaultsFolder = dir.File("Default") + "/";
    folders.DataFolder = dir.File("data/Velmora/Quorvex") + "/";
    TFoldersScope scope(folders);
    WriteFileBytes(folders.DefaultsFolder + "hosts.xml", "<Hosts>factory</Hosts>");

    // Without a factory copy the path still comes back, its folder ready for a first save
    // and private to the user.
    const std::string other = DataFilePath("history.xml");
    EXPECT_EQ(other, folders.DataFolder + "history.xml");
    EXPECT_FALSE(fs::exists(other));
    EXPECT_EQ(fs::status(folders.DataFolder).permissions() & fs::perms::all, fs::perms::owner_all);

    const std::string path = DataFilePath("hosts.xml");
    EXPECT_EQ(path, folders.DataFolder + "hosts.xml");
    EXPECT_EQ(ReadFileBytes(path), "<Hosts>factory</Hosts>");

    // The user's copy wins from now on, even over a newer factory copy.
    WriteFileBytes(path, "<Hosts>mine</Hosts>");
    WriteFileBytes(folders.DefaultsFolder + "hosts.xml", "<Hosts>factory 2</Hosts>");
    EXPECT_EQ(ReadFileBytes(DataFilePath("hosts.xml")), "<Hosts>mine</Hosts>");
}
