#include "shellext/MenuRegistration.h"
#include "MenuRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

TEST(MenuRegistrationTest, LocaleChoosesTheCaptions)
{
    struct TCase {
        const char *LcAll, *LcMessages, *Lang, *Copy, *CopyHere;
    };
    // clang-format off
    const TCase cases[] = {
        {"", "", "ru_RU.UTF-8", "Копировать с Quorvex", "Копировать с Quorvex сюда"},
        {"", "ru_UA", "en_US.UTF-8", "Копировать с Quorvex", "Копировать с Quorvex сюда"},
        {"C", "ru_RU", "ru_RU", "Copy by Quorvex", "Copy by Quorvex here"},
        {"", "", "de_DE.UTF-8", "Copy by Quorvex", "Copy by Quorvex here"},
        {"", "", "", "Copy by Quorvex", "Copy by Quorvex here"},
    };
    // clang-format on
    for (const TCase& c : cases) {
        const TMenuCaptions captions = MenuCaptions(MenuLocale(c.LcAll, c.LcMessages, c.Lang));
        EXPECT_EQ(captions.Copy, c.Copy) << c.LcAll << "/" << c.LcMessages << "/" << c.Lang;
        EXPECT_EQ(captions.CopyHere, c.CopyHere) << c.LcAll << "/" << c.LcMessages << "/" << c.Lang;
    }
}

// Registering writes the entries of every file manager into the user's folders beside other
// programs' entries; unregistering, in another language too, takes exactly ours away again.
TEST(MenuRegistrationTest, RegisterAndUnregisterTouchOnlyOurFiles)
{
    TTempDir home;
    const QString folder = QString::fromStdString(home.Path().string());
    const fs::path data = home.Path() / "data", config = home.Path() / ".config";
    const std::string program = fs::canonical(QUORVEX_MENU).string();
    struct TEntry {
        fs::path Path;
        bool Executable;
        std::string Runs;  // how the entry calls quorvex-menu
    };
    // clang-format off
    const TEntry entries[] = {
        {data / "kio/servicemenus/quorvex-copy.desktop", true, "Exec=\"" + program + "\" %U"},
        {data / "kio/servicemenus/quorvex-copy-here.desktop", true, "Exec=\"" + program + "\" --paste-here %u"},
        {data / "nautilus/scripts/Копировать с Quorvex", true, "'" + program + "' -- ${NAUTILUS_SCRIPT_SELECTED_URIS"},
        {data / "nautilus/scripts/Копировать с Quorvex сюда", true, "'" + program + "' --paste-here \"$folder\""},
        {data / "nemo/actions/quorvex-copy.nemo_action", false, "Exec='" + program + "' %U"},
        {data / "nemo/actions/quorvex-copy-here.nemo_action", false, "Exec='" + program + "' --paste-here %U"},
        {config / "caja/scripts/Копировать с Quorvex", true, "'" + program + "' -- ${CAJA_SCRIPT_SELECTED_URIS"},
        {config / "caja/scripts/Копировать с Quorvex сюда", true, "'" + program + "' --paste-here \"$folder\""},
    };
    // clang-format on
    std::vector<fs::path> others;
    for (const TEntry& entry : entries) {
        others.push_back(entry.Path.parent_path() / "other program's entry");
        WriteFileBytes(others.back(), "[Desktop Entry]\nExec=other\n");
    }
    const QProcessEnvironment russian = [&] {
        QProcessEnvironment environment;
        environment.insert("XDG_DATA_HOME", QString::fromStdString(data.string()));
        environment.insert("LANG", "ru_RU.UTF-8");
        return environment;
    }();

    EXPECT_EQ(RunMenu({"--is-registered"}, folder, russian).ExitCode, 1);
    const TMenuRun registered = RunMenu({"--register"}, folder, russian);
    ASSERT_EQ(registered.ExitCode, 0) << registered.Errors;
    EXPECT_EQ(RunMenu({"--is-registered"}, folder, russian).ExitCode, 0);
    for (const TEntry& entry : entries) {
        ASSERT_TRUE(fs::exists(entry.Path)) << entry.Path;
        EXPECT_NE(ReadFileBytes(entry.Path).find(entry.Runs), std::string::npos) << entry.Path;
        const bool executable = (fs::status(entry.Path).permissions() & fs::perms::owner_exec) != fs::perms::none;
        EXPECT_EQ(executable, entry.Executable) << entry.Path;
    }

    // An English session removes the Russian scripts as well.
    QProcessEnvironment english = russian;
    english.insert("LANG", "en_GB.UTF-8");
    const TMenuRun unregistered = RunMenu({"--unregister"}, folder, english);
    ASSERT_EQ(unregistered.ExitCode, 0) << unregistered.Errors;
    EXPECT_EQ(RunMenu({"--is-registered"}, folder, english).ExitCode, 1);
    for (const TEntry& entry : entries)
        EXPECT_FALSE(fs::exists(entry.Path)) << entry.Path;
    for (const fs::path& other : others)
        EXPECT_EQ(ReadFileBytes(other), "[Desktop Entry]\nExec=other\n") << other;
}

}  // namespace
