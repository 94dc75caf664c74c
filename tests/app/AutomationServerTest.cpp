#include "app/AutomationServer.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(AutomationServerTest, SwitchesInAnyCaseAndWithAnyPrefixChooseTheStartMode)
{
    using enum TServerStartMode;
    const struct {
        std::vector<std::string> arguments;
        TServerStartMode mode;
    } cases[] = {
        {{}, Standalone},
        {{"-minimize"}, Standalone},
        {{"automation"}, Standalone},  // a path or a word, not a switch
        {{"--automation"}, Automation},
        {{"/Embedding"}, Automation},
        {{"-AUTOMATION", "-minimize"}, Automation},
        {{"--regserver"}, Register},
        {{"-minimize", "/RegServer"}, Register},
        {{"--automation", "--regserver"}, Register},
        {{"--regserver", "--unregserver"}, Unregister},
        {{"--UNREGSERVER", "--automation"}, Unregister},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ServerStartMode(c.arguments), c.mode) << ::testing::PrintToString(c.arguments);
}

TEST(AutomationServerTest, RequestsWithPathsWaitInOrderAndGoOneAtATime)
{
    const struct {
        std::string files, folder;
        bool handed;
        std::string folders;
    } cases[] = {
        {"", "/tmp", false, ""},
        {"\r\n \r\n\n", "/tmp", false, ""},
        {"/a/x.bin\r\n/b/y.bin\r\n", "/dst\r\n", true, "/dst"},
        {"/a/x.bin\n", "", true, ""},
        {"ftp://h/f.iso", "/dst", true, "/dst"},
    };
    for (const auto& c : cases) {
        const std::optional<TAddRequest> request = AutomationRequest(c.files, c.folder, true);
        ASSERT_EQ(request.has_value(), c.handed) << c.files;
        if (request) {
            EXPECT_EQ(request->Paths, c.files);
            EXPECT_EQ(request->Folders, c.folders);
            EXPECT_TRUE(request->Silent);
        }
    }

    // Two requests close together are both handled, the first first, the second only
    // once the first is done.
    TAddRequestQueue queue;
    queue.Push({"/a\r\n", "", false});
    EXPECT_EQ(queue.Next(), (TAddRequest{"/a\r\n", "", false}));
    queue.Push({"/b\r\n", "/dst", true});
    EXPECT_EQ(queue.Next(), std::nullopt);
    EXPECT_EQ(queue.Waiting(), 1u);
    queue.Done();
    EXPECT_EQ(queue.Next(), (TAddRequest{"/b\r\n", "/dst", true}));
    queue.Done();
    EXPECT_EQ(queue.Next(), std::nullopt);
}

TEST(AutomationServerTest, ActivationFileStartsTheProgramAtItsPathAndGoesAway)
{
    EXPECT_EQ(ServiceFilePath("/x/data", "/home/u"), "/x/data/dbus-1/services/org.velmora.Quorvex.service");
    EXPECT_EQ(ServiceFilePath("relative", "/home/u"),
              "/home/u/.local/share/dbus-1/services/org.velmora.Quorvex.service");
    EXPECT_EQ(ServiceFileText("/opt/my apps/it's $HOME/quorvex"),
              "[D-BUS Service]\nName=org.velmora.Quorvex\nExec='/opt/my apps/it'\\''s $HOME/quorvex' --automation\n");
    EXPECT_EQ(ServiceFileText("/opt/a\nExec=/bin/evil"), "");

    TTempDir home;
    const std::string file = ServiceFilePath("", home.Path().string());
    std::string reason;
    ASSERT_TRUE(RegisterServer(file, "/usr/bin/quorvex", reason)) << reason;
    EXPECT_EQ(ReadFileBytes(file), ServiceFileText("/usr/bin/quorvex"));
    EXPECT_FALSE(RegisterServer(file, "/bad\npath", reason));
    EXPECT_EQ(ReadFileBytes(file), ServiceFileText("/usr/bin/quorvex"));
    EXPECT_TRUE(UnregisterServer(file, reason));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(UnregisterServer(file, reason));
}
