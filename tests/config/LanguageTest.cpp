#include "config/ColumnCaptions.h"
#include "config/Language.h"
#include "core/MessageCatalogue.h"
#include "config/MessageIdentifiers.h"
#include "config/Options.h"
#include "core/AppFolders.h"
#include "core/MessageFormat.h"
#include "hosts/SpeedFormats.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// The language files as shipped, in the source tree.
const std::string kShippedLanguages = QUORVEX_LANGUAGES_DIR;

// Each test gets its own languages folder and puts the program-wide state back.
class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TAppFolders folders = Saved_;
        folders.LanguagesFolder = Dir_.Path().string() + "/";
        SetAppFolders(folders);
        Options().DefaultLang = "english.lng";
    }
    void TearDown() override
    {
        SetAppFolders(Saved_);
        Options() = TOptions{};
        ClearMessageTexts();
    }

    void WriteLanguage(const std::string& name, const std::string& entries)
    {
        WriteFileBytes(Dir_.Path() / name, "[Translations]\n" + entries);
    }

    TTempDir Dir_;
    TLangChanger Changer_;

private:
    TAppFolders Saved_ = AppFolders();
};

// The message keys of a language file: keys without a dot in its [Translations] lines.
std::vector<std::string> MessageKeys(const std::string& path)
{
    std::istringstream lines(ReadFileBytes(path));
    std::vector<std::string> keys;
    for (std::string line; std::getline(lines, line);) {
        const std::string key = line.substr(0, line.find('='));
        if (!line.empty() && line[0] != ';' && line[0] != '[' && key.find('.') == std::string::npos)
            keys.push_back(key);
    }
    return keys;
}

} // namespace

TEST(ShippedLanguagesTest, EveryMessageIsThereWithTheArgumentsOfItsEnglishText)
{
    TLangChanger english, russian;
    ASSERT_TRUE(english.SetLangFile(kShippedLanguages + "english.lng"));
    ASSERT_TRUE(russian.SetLangFile(kShippedLanguages + "russian.lng"));
    const std::vector<std::string>& ids = CatalogueIdentifiers();
    // The catalogue's messages, those of the newer engine steps, of the session's settings,
    // and the column captions.
    EXPECT_EQ(ids.size(), 279u + 8u + 2u + 42u);

    for (const std::string& id : ids) {
        const std::string text = english.Translate(id);
        EXPECT_NE(text, id) << "english.lng lacks " << id;
        EXPECT_NE(russian.Translate(id), id) << "russian.lng lacks " << id;
        EXPECT_EQ(FormatArguments(russian.Translate(id)), FormatArguments(text)) << id;
    }
    // A message the catalogue does not list would never be loaded.
    const std::set<std::string> listed(ids.begin(), ids.end());
    for (const char* file : {"english.lng", "russian.lng"}) {
        for (const std::string& key : MessageKeys(kShippedLanguages + file))
            EXPECT_TRUE(listed.contains(key)) << file << " holds " << key << ", which no catalogue list names";
    }
}

TEST_F(LanguageTest, ChangingTheLanguageReloadsTheCatalogueAndNeverWritesTheFile)
{
    WriteLanguage("english.lng", "sExitProgram=Quit?\nsLowestPriority=Sleeping\n");
    const std::string russian = "sExitProgram=Выйти?\r\nsAllLoaded\r\nsLowestPriority=Спящий\r\n"
                                "CaptionHistoryInfoColumns0=Параметр\r\nCaptionListColumns12=Получатель\r\n";
    WriteLanguage("russian.lng", russian);
    WriteLanguage("German.LNG", "");
    WriteFileBytes(Dir_.Path() / "notes.txt", "");
    fs::create_directory(Dir_.Path() / "old.lng");

    const std::vector<TLangMenuItem> menu = ListLang();
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[0].Caption, "German.LNG");
    EXPECT_EQ(menu[1].Caption, "english.lng");
    EXPECT_TRUE(menu[1].Checked);
    EXPECT_EQ(menu[2].Caption, "russian.lng");
    EXPECT_FALSE(menu[0].Checked || menu[2].Checked);

    ChangeLang(Changer_, "&russian.lng");
    const fs::path file = Dir_.Path() / "russian.lng";
    const auto written = fs::last_write_time(file);
    ChangeLang(Changer_, "russian.lng");  // the language in use, chosen again

    EXPECT_EQ(Options().DefaultLang, "russian.lng");
    EXPECT_TRUE(ListLang()[2].Checked);
    EXPECT_EQ(ReadFileBytes(file), "[Translations]\n" + russian);
    EXPECT_EQ(fs::last_write_time(file), written);
    EXPECT_EQ(Translate("sExitProgram"), "Выйти?");
    EXPECT_EQ(Translate("sAllLoaded"), "");
    EXPECT_EQ(Translate("sClearLog"), "sClearLog");
    EXPECT_EQ(PriorityName(tpLowestPriority), "Спящий");
    EXPECT_EQ(ColumnCaptions(clTaskList).back(), "Получатель");
    EXPECT_EQ(ColumnCaptions(clTaskInfo), (std::vector<std::string>{"Параметр", "CaptionHistoryInfoColumns1"}));
}

TEST_F(LanguageTest, WithoutItsFileTheLanguageIsTheBuiltInEnglish)
{
    Options().DefaultLang = "klingon.lng";
    LoadLanguage(Changer_);

    TLangChanger english;
    ASSERT_TRUE(english.SetLangFile(kShippedLanguages + "english.lng"));
    EXPECT_EQ(Changer_.LangFile(), Dir_.File("klingon.lng"));
    for (const std::string& id : CatalogueIdentifiers())
        EXPECT_EQ(Translate(id), english.Translate(id)) << id;
}
