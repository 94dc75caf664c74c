#include "config/OptionsFile.h"

#include "FakeSystemIntegration.h"
#include "config/OptionKeys.h"
#include "core/AppFolders.h"
#include "support/TaskFakes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

class OptionsFileTest : public ::testing::Test {
protected:
    TTempDir Dir;
    TRecordingBoxes Boxes;
    TFakeSystemIntegration System;
    std::string Path = Dir.File("options.xml");

    // The options read from a file holding the given sections.
    TOptions ReadFile(const std::string& sections)
    {
        WriteFileBytes(Path, "<Options>" + sections + "</Options>");
        return ReadBack();
    }
    TOptions ReadBack()
    {
        TXMLStorage store(Path, Boxes);
        TOptions options;
        LoadOptions(store, options, System);
        return options;
    }
    bool Save(const TOptions& options)
    {
        TXMLStorage store(Path, Boxes);
        store.Open();
        return SaveOptions(store, options);
    }
};

// Gives every key a value unlike its default and, where the type allows, unlike every other
// key's, so that a key read under another key's name cannot pass.
struct TChangeEveryKey {
    const TTempDir& Dir;
    int Serial = 0;

    void operator()(const TOptionKey& key, int& value)
    {
        if (key.Name != "MainWindowState")  // a window not in its normal state drops the geometry
            value += 1000 + ++Serial;
    }
    void operator()(const TOptionKey&, bool& value) { value = !value; }
    void operator()(const TOptionKey& key, std::string& value)
    {
        value = "changed " + key.Name;
        if (key.Rule == TKeyRule::SoundFile) {  // only a sound file that is there is kept
            value = Dir.File(key.Name + ".wav");
            WriteFileBytes(value, "RIFF");
        }
    }
    void operator()(const TOptionKey& key, std::vector<std::string>& value) { value = {key.Name, "b", ""}; }
    void operator()(const TOptionKey&, TExistingFileDecision& value) { value = efOverwrite; }
};

}  // namespace

TEST_F(OptionsFileTest, EveryKeyIsWrittenAndReadBack)
{
    const TOptions defaults;
    TOptions changed;
    ForEachOptionKey(TChangeEveryKey{Dir}, changed);
    System.StartWithSession = true;
    ASSERT_TRUE(Save(changed));

    const TOptions read = ReadBack();
    std::set<std::string> names;
    std::set<const void*> values;
    ForEachOptionKey(
        [&](const TOptionKey& key, const auto& back, const auto& written, const auto& initial) {
            const std::string name = std::string(key.Section) + "/" + key.Name;
            EXPECT_TRUE(names.insert(name).second) << name << " is listed twice";
            EXPECT_TRUE(values.insert(&back).second) << name << " shares its value with another key";
            if (key.Rule == TKeyRule::AlwaysOff) {
                EXPECT_EQ(back, initial) << name;
                return;
            }
            if (key.Name != "MainWindowState") {
                EXPECT_NE(written, initial) << name;
            }
            EXPECT_EQ(back, written) << name;
        },
        read, changed, defaults);
    // The pages of the options dialog, then the other values, the window and eight column lists.
    EXPECT_EQ(names.size(), 122 + 4 + 21 + 24 + 5 + (13 + 8 + 4 + 5 + 4 + 2 + 2 + 6) * 6u);
    EXPECT_TRUE(Boxes.Shown.empty());
}

TEST_F(OptionsFileTest, NumbersReadAsDecimalOrHexadecimal)
{
    const TOptions defaults;
    struct {
        const char* text;
        int bufferSize;
        bool moveDown;  // a Boolean read from the same text
    } cases[] = {
        // clang-format off
        {"0x1E", 30, true}, {"0X1e", 30, true}, {"$1F", 31, true}, {" 0x10 ", 16, true}, {"0x0", 0, false},
        {"0x", defaults.TaskBufferSize, defaults.bTaskErrorMoveDown},
        {"12ab", defaults.TaskBufferSize, defaults.bTaskErrorMoveDown},
        {"1E", defaults.TaskBufferSize, defaults.bTaskErrorMoveDown},
        {"True", defaults.TaskBufferSize, defaults.bTaskErrorMoveDown},
        {"", defaults.TaskBufferSize, defaults.bTaskErrorMoveDown},
        {"2", 2, true}, {"-1", -1, true}, {"99999999999", defaults.TaskBufferSize, true},
        // clang-format on
    };
    for (const auto& c : cases) {
        const TOptions read =
            ReadFile("<Defaults><TaskBufferSize>" + std::string(c.text) + "</TaskBufferSize><bTaskErrorMoveDown>"
                     + c.text + "</bTaskErrorMoveDown></Defaults>");
        EXPECT_EQ(read.TaskBufferSize, c.bufferSize) << c.text;
        EXPECT_EQ(read.bTaskErrorMoveDown, c.moveDown) << c.text;
    }
}

TEST_F(OptionsFileTest, ListsReadEveryChildAndAreWrittenKeyAndIndex)
{
    const TOptions read = ReadFile("<Defaults><ListSource><x>a</x><ListSource5>b</ListSource5><y/></ListSource>"
                                   "<ListFinded/></Defaults>");
    EXPECT_EQ(read.ListSource, (std::vector<std::string>{"a", "b", ""}));

    TOptions stored;
    stored.ListFinded = {"kept"};
    stored.ListFilter = {"kept"};
    TXMLStorage store(Path, Boxes);
    store.Open();
    ReadOptions(store, stored);
    EXPECT_TRUE(stored.ListFinded.empty());                          // stored empty
    EXPECT_EQ(stored.ListFilter, std::vector<std::string>{"kept"});  // not stored

    ASSERT_TRUE(SaveOptions(store, read));
    EXPECT_NE(ReadFileBytes(Path).find("    <ListSource>\n"
                                       "      <ListSource0>a</ListSource0>\n"
                                       "      <ListSource1>b</ListSource1>\n"
                                       "      <ListSource2></ListSource2>\n"
                                       "    </ListSource>\n"),
              std::string::npos)
        << ReadFileBytes(Path);
}

TEST_F(OptionsFileTest, ASoundFileThatIsNotThereReadsAsTheEventsDefault)
{
    const std::string chosen = Dir.File("bell.wav");
    WriteFileBytes(chosen, "RIFF");
    const auto key = [](const std::string& name, const std::string& text) {
        return "<" + name + ">" + text + "</" + name + ">";
    };
    // Installed, the sounds lie with the other resources, not beside the executable.
    const TAppFolders saved = AppFolders();
    TAppFolders installed = saved;
    installed.ProgramFolder = "/usr/bin/";
    installed.ResourceFolder = "/usr/share/quorvex/";
    SetAppFolders(installed);
    const TOptions read =
        ReadFile("<Sound>" + key("sFileSoundProgramStart", chosen) + key("sFileSoundShutDown", Dir.File("gone.wav"))
                 + key("sFileSoundTaskAdd", "") + "</Sound>");
    SetAppFolders(saved);
    EXPECT_EQ(read.sFileSoundProgramStart, chosen);
    EXPECT_EQ(read.sFileSoundShutDown, "/usr/share/quorvex/Sounds/ShutDown.wav");
    EXPECT_EQ(read.sFileSoundTaskAdd, "/usr/share/quorvex/Sounds/Add.wav");
    EXPECT_EQ(read.sFileSoundTaskCompleteAll, "/usr/share/quorvex/Sounds/CompleteAll.wav");  // no key
}

TEST_F(OptionsFileTest, AMaximisedWindowKeepsItsNormalGeometry)
{
    TOptions options = ReadFile("<Window><MainWindowTop>10</MainWindowTop><MainWindowLeft>20</MainWindowLeft>"
                                "<MainWindowWidth>800</MainWindowWidth><MainWindowHeight>600</MainWindowHeight>"
                                "<MainWindowState>0</MainWindowState></Window>");
    options.MainWindowState = 2;
    options.MainWindowTop = options.MainWindowLeft = 0;
    options.MainWindowWidth = 1920;
    options.MainWindowHeight = 1080;
    ASSERT_TRUE(Save(options));

    const TOptions read = ReadBack();
    EXPECT_EQ(read.MainWindowState, 2);
    EXPECT_EQ(std::vector<int>({read.MainWindowTop, read.MainWindowLeft, read.MainWindowWidth, read.MainWindowHeight}),
              std::vector<int>({10, 20, 800, 600}));
}

TEST_F(OptionsFileTest, EachConfirmationFlagKeepsItsOwnKey)
{
    for (int row = 0; row < kConfirmationFlagCount; ++row) {
        TOptions options;
        options.*kConfirmationFlags[row].Flag = true;
        ASSERT_TRUE(Save(options));
        const TOptions read = ReadBack();
        for (int other = 0; other < kConfirmationFlagCount; ++other)
            EXPECT_EQ(read.*kConfirmationFlags[other].Flag, other == row)
                << kConfirmationFlags[row].Key << " read as " << kConfirmationFlags[other].Key;
    }
    EXPECT_EQ(kConfirmationFlagCount, 18);
}

TEST_F(OptionsFileTest, SystemStatesOverrideTheFileAndTheBrowserIsNeverIntegrated)
{
    System.Integrated = true;
    TOptions read = ReadFile("<Defaults><StartWithWindows>1</StartWithWindows><IntegrateToIE>1</IntegrateToIE>"
                             "</Defaults>");
    EXPECT_FALSE(read.StartWithWindows);
    EXPECT_TRUE(read.ExplorerIntegration);
    EXPECT_FALSE(read.IntegrateToIE);

    read.IntegrateToIE = true;
    ASSERT_TRUE(Save(read));
    EXPECT_NE(ReadFileBytes(Path).find("<IntegrateToIE>0</IntegrateToIE>"), std::string::npos);
}

TEST_F(OptionsFileTest, ColumnSectionsHoldTheirListsColumnByColumn)
{
    const int counts[] = {13, 8, 4, 5, 4, 2, 2, 6};
    TOptions options;
    for (int list = 0; list < 8; ++list)
        EXPECT_EQ((options.*kColumnLists[list].Columns).size(), std::size_t(counts[list]))
            << kColumnLists[list].Section;

    options = ReadFile("<TaskListColumns><Width12>77</Width12><Sorted3>1</Sorted3></TaskListColumns>");
    EXPECT_EQ(options.TaskListColumns[12].Width, 77);
    EXPECT_EQ(options.TaskListColumns[12].Position, 12);
    EXPECT_TRUE(options.TaskListColumns[3].Sorted);
    ASSERT_TRUE(Save(options));
    EXPECT_NE(ReadFileBytes(Path).find("  <RecycleBinColumns>\n"
                                       "    <Visible0>1</Visible0>\n"
                                       "    <Width0>220</Width0>\n"
                                       "    <Alignment0>0</Alignment0>\n"
                                       "    <Position0>0</Position0>\n"
                                       "    <SortDirection0>0</SortDirection0>\n"
                                       "    <Sorted0>0</Sorted0>\n"
                                       "    <Visible1>1</Visible1>\n"),
              std::string::npos);
}

TEST_F(OptionsFileTest, AFileKeptAsideStillGetsThisRunsOptionsAtExit)
{
    const std::string broken = "<Options><Defaults><TaskMaxRetries>9</TaskMaxRetries>";
    WriteFileBytes(Path, broken);
    TXMLStorage store(Path, Boxes);
    TOptions options;
    LoadOptions(store, options, System);
    EXPECT_EQ(options.TaskMaxRetries, TOptions().TaskMaxRetries);
    ASSERT_EQ(Boxes.Shown.size(), 1u);

    options.TaskMaxRetries = 4;
    EXPECT_TRUE(SaveOptions(store, options));
    EXPECT_EQ(ReadFileBytes(Path + ".bad"), broken);
    EXPECT_EQ(ReadBack().TaskMaxRetries, 4);
    EXPECT_EQ(Boxes.Shown.size(), 1u);
}
