#include "app/DesktopIntegration.h"

#include "core/MessageCatalogue.h"
#include "support/TaskFakes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// The session's folders and a program in a temporary home.
struct TSessionBed {
    TSessionBed()
    {
        SetMessageText("sIntegrationProgramMissing", "%s is missing");
        SetMessageText("sIntegrationFailed", "%s: %s");
    }
    ~TSessionBed() { ClearMessageTexts(); }

    TTempDir Home;
    TRecordingBoxes Boxes;

    TIntegrationPlaces Places(const std::string& programFolder) const
    {
        return {Home.File(programFolder + "/quorvex"), Home.File(".config")};
    }
};

}  // namespace

TEST(DesktopIntegrationTest, ExecWordKeepsAnyPathOneArgument)
{
    const struct {
        std::string program, word;
    } cases[] = {
        {"/usr/bin/quorvex", "\"/usr/bin/quorvex\""},
        {"/opt/my apps/quorvex", "\"/opt/my apps/quorvex\""},
        {"/opt/100%/q", "\"/opt/100%%/q\""},
        {"/opt/$x/\"q\"", "\"/opt/\\\\$x/\\\\\"q\\\\\"\""},
        {"/opt/`q`\\", "\"/opt/\\\\`q\\\\`\\\\\\\\\""},
        {"/opt/a\nExec=/bin/evil", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DesktopExecWord(c.program), c.word) << c.program;
}

TEST(DesktopIntegrationTest, AutostartEntryFollowsTheProgramAndGoesWhenTurnedOff)
{
    TSessionBed bed;
    TDesktopIntegration first(bed.Places("bin"), bed.Boxes);
    const std::string file = bed.Home.File(".config/autostart/quorvex.desktop");
    EXPECT_EQ(first.AutostartFile(), file);
    EXPECT_FALSE(first.IsStartWithWindows());

    first.SetStartWithWindows(true);
    EXPECT_TRUE(first.IsStartWithWindows());
    EXPECT_EQ(ReadFileBytes(file),
              "[Desktop Entry]\nType=Application\nName=Quorvex\nExec=\"" + bed.Home.File("bin/quorvex")
                  + "\" -minimize\nIcon=quorvex\nTerminal=false\nX-GNOME-Autostart-enabled=true\n");
    // The program moved: confirming the options again writes the new path.
    TDesktopIntegration moved(bed.Places("new place"), bed.Boxes);
    moved.SetStartWithWindows(true);
    EXPECT_EQ(ReadFileBytes(file), AutostartEntryText(bed.Home.File("new place/quorvex")));

    // The desktop's own settings hide an entry the user turned off there.
    WriteFileBytes(file, ReadFileBytes(file) + "Hidden=true\n");
    EXPECT_FALSE(moved.IsStartWithWindows());
    moved.SetStartWithWindows(false);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(bed.Boxes.Shown.empty());

    // A file where the folder should be: the box tells, nothing claims success.
    WriteFileBytes(bed.Home.File("blocked/autostart"), "");
    TDesktopIntegration blocked({bed.Home.File("bin/quorvex"), bed.Home.File("blocked")}, bed.Boxes);
    blocked.SetStartWithWindows(true);
    EXPECT_FALSE(blocked.IsStartWithWindows());
    EXPECT_EQ(bed.Boxes.Shown.size(), 1u);
}

TEST(DesktopIntegrationTest, FileManagerEntriesComeAndGoThroughTheMenuProgramBesideTheProgram)
{
    TSessionBed bed;
    TDesktopIntegration integration(bed.Places("bin"), bed.Boxes);
    EXPECT_FALSE(integration.IsExplorerIntegrated());

    // Without quorvex-menu beside the program the user learns what is missing.
    EXPECT_FALSE(integration.SetExplorerIntegration(true));
    ASSERT_EQ(bed.Boxes.Shown.size(), 1u);
    EXPECT_NE(bed.Boxes.Shown[0].find(bed.Home.File("bin/quorvex-menu")), std::string::npos) << bed.Boxes.Shown[0];

    // A stand-in that adds, removes and reports one entry, and fails for anything else.
    const std::string entry = bed.Home.File(".local/share/nemo/actions/quorvex.nemo_action");
    const std::string menu = integration.MenuProgram();
    const std::string folder = fs::path(entry).parent_path().string();
    std::string script = "#!/bin/sh\ncase \"$1\" in\n";
    script += "--register) mkdir -p '" + folder + "' && touch '" + entry + "' ;;\n";
    script += "--unregister) rm -f '" + entry + "' ;;\n";
    script += "--is-registered) test -e '" + entry + "' ;;\n";
    script += "*) exit 3 ;;\nesac\n";
    WriteFileBytes(menu, script);
    fs::permissions(menu, fs::perms::owner_all);
    EXPECT_TRUE(integration.SetExplorerIntegration(true));
    EXPECT_TRUE(integration.IsExplorerIntegrated());
    EXPECT_TRUE(integration.SetExplorerIntegration(false));
    EXPECT_FALSE(integration.IsExplorerIntegrated());
    EXPECT_EQ(bed.Boxes.Shown.size(), 1u);

    WriteFileBytes(menu, "#!/bin/sh\nexit 2\n");
    EXPECT_FALSE(integration.SetExplorerIntegration(true));
    ASSERT_EQ(bed.Boxes.Shown.size(), 2u);
    EXPECT_NE(bed.Boxes.Shown[1].find("--register: exit code 2"), std::string::npos) << bed.Boxes.Shown[1];
}
