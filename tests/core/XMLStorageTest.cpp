#include "core/XMLStorage.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class TRecordingBoxes : public IMessageBoxPort {
public:
    std::vector<std::string> Texts;
    void ShowErrorBox(const std::string& caption, const std::string& text) override
    {
        EXPECT_EQ(caption, "Error!");
        Texts.push_back(text);
    }
};

class XMLStorageTest : public ::testing::Test {
protected:
    TTempDir Dir;
    TRecordingBoxes Boxes;
    std::string Path = Dir.File("options.xml");

    // Opens a store over an options file holding one key in the section "S".
    std::unique_ptr<TXMLStorage> OpenWithKey(const std::string& key, const std::string& text)
    {
        WriteFileBytes(Path, "<Options><S><" + key + ">" + text + "</" + key + "></S></Options>");
        auto store = std::make_unique<TXMLStorage>(Path, Boxes);
        store->Open();
        return store;
    }
};

} // namespace

TEST_F(XMLStorageTest, NewFileStartsWithDefaultsAndIsCreatedBySave)
{
    TXMLStorage store(Path, Boxes);
    store.Open();
    EXPECT_TRUE(store.HasRoot());
    EXPECT_EQ(store.ReadString("Defaults", "sName", "dflt"), "dflt");
    EXPECT_EQ(store.ReadInteger("Defaults", "iCount", 12), 12);
    EXPECT_TRUE(store.ReadBool("Window", "bShow", true));

    store.WriteString("Defaults", "sName", "x & y");
    store.WriteInteger("Defaults", "iCount", -5);
    store.WriteBool("Window", "bShow", false);
    store.WriteString("Defaults", "sName", "z"); // replaces, does not add
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(ReadFileBytes(Path), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                   "<Options>\n"
                                   "  <Defaults>\n"
                                   "    <sName>z</sName>\n"
                                   "    <iCount>-5</iCount>\n"
                                   "  </Defaults>\n"
                                   "  <Window>\n"
                                   "    <bShow>0</bShow>\n"
                                   "  </Window>\n"
                                   "</Options>\n");
    // The options hold a server password.
    EXPECT_EQ(std::filesystem::status(Path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    TXMLStorage again(Path, Boxes);
    again.Open();
    EXPECT_EQ(again.ReadString("Defaults", "sName", ""), "z");
    EXPECT_EQ(again.ReadInteger("Defaults", "iCount", 0), -5);
    EXPECT_FALSE(again.ReadBool("Window", "bShow", true));
    again.Close();
    EXPECT_EQ(again.ReadString("Defaults", "sName", "closed"), "closed");
    EXPECT_TRUE(Boxes.Texts.empty());
}

TEST_F(XMLStorageTest, IntegersAndBooleans)
{
    struct Case {
        const char* text;
        int integer;     // ReadInteger with the default 99
        bool boolFromTrue;  // ReadBool with the default true
        bool boolFromFalse; // ReadBool with the default false
    } cases[] = {
        // clang-format off
        {"0x1F", 31, true, true}, {"0X1e", 30, true, true}, {"$1F", 31, true, true},
        {"1F", 99, true, false}, {"0x", 99, true, false}, {"0x1G", 99, true, false},
        {"30", 30, true, true}, {"0", 0, false, false}, {"1", 1, true, true},
        {"True", 99, true, false}, {"", 99, true, false}, {"12ab", 99, true, false},
        // Any number is a truth value, however long; hexadecimal as for integers.
        {"99999999999", 99, true, true}, {"-2", -2, true, true}, {"0x0", 0, false, false},
        {"000000000000", 0, false, false},
        // clang-format on
    };
    for (const Case& c : cases) {
        auto store = OpenWithKey("K", c.text);
        EXPECT_EQ(store->ReadInteger("S", "K", 99), c.integer) << c.text;
        EXPECT_EQ(store->ReadBool("S", "K", true), c.boolFromTrue) << c.text;
        EXPECT_EQ(store->ReadBool("S", "K", false), c.boolFromFalse) << c.text;
    }
}

TEST_F(XMLStorageTest, StringLists)
{
    TXMLStorage store(Path, Boxes);
    store.Open();
    store.WriteStrings("Defaults", "ListSource", {"a", "b", "c"});
    store.WriteStrings("Defaults", "ListSource", {"d", "e"});
    ASSERT_TRUE(store.Save());
    EXPECT_NE(ReadFileBytes(Path).find("  <Defaults>\n"
                                       "    <ListSource>\n"
                                       "      <ListSource0>d</ListSource0>\n"
                                       "      <ListSource1>e</ListSource1>\n"
                                       "    </ListSource>\n"),
              std::string::npos)
        << ReadFileBytes(Path);

    // Children read whatever their names; the list passed in is replaced.
    auto other = OpenWithKey("L", "<x>1</x><ListSource7>2</ListSource7><y/>");
    std::vector<std::string> list{"stale"};
    other->ReadStrings("S", "L", list);
    EXPECT_EQ(list, (std::vector<std::string>{"1", "2", ""}));
    other->ReadStrings("S", "Missing", list);
    EXPECT_TRUE(list.empty());
}

TEST_F(XMLStorageTest, AFileThatDoesNotParseIsKeptAsideAndReplacedBySave)
{
    const std::string broken = "<Options><Defaults><sName>kept</sName></Defaults>";
    WriteFileBytes(Path, broken);
    TXMLStorage store(Path, Boxes);
    store.Open();
    ASSERT_EQ(Boxes.Texts.size(), 1u);
    EXPECT_EQ(Boxes.Texts[0].rfind("Can't read file " + Path + "\n", 0), 0u) << Boxes.Texts[0];
    EXPECT_EQ(store.ReadString("Defaults", "sName", "default"), "default");

    // The old text is safe beside it, so this run's values are saved.
    store.WriteString("Defaults", "sName", "new");
    EXPECT_TRUE(store.Save());
    EXPECT_EQ(ReadFileBytes(Path + ".bad"), broken);
    TXMLStorage again(Path, Boxes);
    again.Open();
    EXPECT_EQ(again.ReadString("Defaults", "sName", ""), "new");
    EXPECT_EQ(Boxes.Texts.size(), 1u);
}

TEST_F(XMLStorageTest, AFileLeftWhereItIsIsNeverWrittenOver)
{
    const std::string broken = "<Options><Defaults>";
    WriteFileBytes(Path, broken);
    TXMLStorage store(Path, Boxes);
    store.Open(TBrokenFile::Leave);
    EXPECT_EQ(Boxes.Texts.size(), 1u);
    EXPECT_FALSE(store.HasRoot());
    store.WriteString("Defaults", "sName", "new");
    EXPECT_FALSE(store.Save());
    EXPECT_EQ(ReadFileBytes(Path), broken);
    EXPECT_FALSE(fs::exists(Path + ".bad"));
}
