#include "core/XmlRecords.h"

#include "WriteLimit.h"
#include "core/SafeFile.h"
#include "core/XmlValues.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

enum TSampleMode { smNone, smFast, smSlow };

// An item with one property of each stored kind, constructor values unlike the zero ones.
class TSampleItem : public TXmlItem {
public:
    std::string Name = "unnamed";
    bool Enabled = true;
    int Count = 3;
    std::uint32_t Limit = 10;
    std::int64_t Size = -1;
    TDateTime Added{100.25};
    TColor Color = 0xFF00FF;
    TSampleMode Mode = smSlow;

    void ReadFromNode(pugi::xml_node element) override
    {
        ReadChild(element, "Name", Name);
        ReadChild(element, "Enabled", Enabled);
        ReadChild(element, "Count", Count);
        ReadChild(element, "Limit", Limit);
        ReadChild(element, "Size", Size);
        ReadChild(element, "Added", Added);
        ReadChild(element, "Color", Color);
        ReadChild(element, "Mode", Mode);
    }
    void WriteToNode(pugi::xml_node parent) const override
    {
        pugi::xml_node element = parent.append_child("Sample");
        WriteChild(element, "Name", Name);
        WriteChild(element, "Enabled", Enabled);
        WriteChild(element, "Count", Count);
        WriteChild(element, "Limit", Limit);
        WriteChild(element, "Size", Size);
        WriteChild(element, "Added", Added);
        WriteChild(element, "Color", Color);
        WriteChild(element, "Mode", Mode);
    }
};

class TSampleCollection : public TOwnedCollection<TSampleItem> {
public:
    int UpdatedCalls = 0;

protected:
    void Updated() override { ++UpdatedCalls; }
};

class TSampleManager : public TCollectionManager<TSampleCollection> {
public:
    TSampleManager(IMessageBoxPort& boxes, const std::string& fileName, bool clearOnLoad = true)
        : TCollectionManager(boxes), ClearOnLoad_(clearOnLoad)
    {
        LoadFromFile(fileName);
    }
    const char* RootName() const override { return "Samples"; }

protected:
    bool ClearOnLoad() const override { return ClearOnLoad_; }

private:
    bool ClearOnLoad_;
};

struct TBox {
    std::string Caption, Text;
};

class TRecordingBoxes : public IMessageBoxPort {
public:
    std::vector<TBox> Boxes;
    void ShowErrorBox(const std::string& caption, const std::string& text) override { Boxes.push_back({caption, text}); }
};

class XmlRecordsTest : public ::testing::Test {
protected:
    TTempDir Dir;
    TRecordingBoxes Boxes;
    std::string Path = Dir.File("samples.xml");
};

} // namespace

TEST_F(XmlRecordsTest, SavedFileReadsBackWithEveryValue)
{
    TSampleManager manager(Boxes, Path);
    TSampleItem& item = manager.Items().Add();
    item.Name = "a < b & \"c\"";
    item.Enabled = false;
    item.Count = -42;
    item.Limit = 4000000000u;
    item.Size = 1LL << 40;
    item.Added = TDateTime{45123.625};
    item.Color = 0xFFFFFFFF;
    item.Mode = smFast;
    manager.Items().Add().Name = "second";
    ASSERT_TRUE(manager.SaveToFile(""));

    const std::string text = ReadFileBytes(Path);
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Samples>\n  <Sample>\n    <Name>", 0), 0u) << text;

    TSampleManager loaded(Boxes, Path);
    ASSERT_EQ(loaded.Items().Count(), 2);
    const TSampleItem& back = loaded.Items()[0];
    EXPECT_EQ(back.Name, item.Name);
    EXPECT_EQ(back.Enabled, false);
    EXPECT_EQ(back.Count, -42);
    EXPECT_EQ(back.Limit, 4000000000u);
    EXPECT_EQ(back.Size, 1LL << 40);
    EXPECT_EQ(back.Added, TDateTime{45123.625});
    EXPECT_EQ(back.Color, 0xFFFFFFFFu);
    EXPECT_EQ(back.Mode, smFast);
    EXPECT_EQ(loaded.Items()[1].Name, "second");
    EXPECT_TRUE(Boxes.Boxes.empty());
}

TEST_F(XmlRecordsTest, ReadsWhatItKnowsAndKeepsTheRest)
{
    WriteFileBytes(Path, R"(<?xml version="1.0" encoding="UTF-8"?>
<AnyRoot>
  <!-- a note -->
  <Sample><Unknown>x</Unknown><Count>7</Count><Count>8</Count><Enabled>1</Enabled></Sample>
  <Other><Enabled>true</Enabled><Added>45000,25</Added><Name>  </Name></Other>
  <Sample><Enabled>yes</Enabled><Count>many</Count><Limit>$FFFFFFFF</Limit></Sample>
</AnyRoot>)");
    TSampleManager manager(Boxes, Path);
    ASSERT_EQ(manager.Items().Count(), 3);
    const TSampleItem defaults;
    const auto& items = manager.Items();

    EXPECT_EQ(items[0].Count, 7);
    EXPECT_TRUE(items[0].Enabled);
    EXPECT_EQ(items[0].Name, defaults.Name);
    EXPECT_EQ(items[0].Size, defaults.Size);
    EXPECT_EQ(items[0].Mode, defaults.Mode);

    EXPECT_TRUE(items[1].Enabled);
    EXPECT_EQ(items[1].Added, TDateTime{45000.25});
    EXPECT_EQ(items[1].Name, "  ");

    // Texts that do not parse keep the constructor values.
    EXPECT_EQ(items[2].Enabled, defaults.Enabled);
    EXPECT_EQ(items[2].Count, defaults.Count);
    EXPECT_EQ(items[2].Limit, 0xFFFFFFFFu);
    EXPECT_EQ(manager.Items().UpdatedCalls, 1);
}

TEST_F(XmlRecordsTest, LoadClearsUnlessTheManagerAppends)
{
    WriteFileBytes(Path, "<Samples><Sample><Name>from file</Name></Sample></Samples>");
    for (const bool clearOnLoad : {true, false}) {
        TSampleManager manager(Boxes, Dir.File("missing.xml"), clearOnLoad);
        manager.Items().Add().Name = "kept?";
        manager.LoadFromFile(Path);
        ASSERT_EQ(manager.Items().Count(), clearOnLoad ? 1 : 2);
        EXPECT_EQ(manager.Items()[manager.Items().Count() - 1].Name, "from file");
        EXPECT_EQ(manager.FileName(), Path);
    }
}

TEST_F(XmlRecordsTest, EmptyAndMissingFiles)
{
    WriteFileBytes(Path, "<Samples>\n  \n</Samples>\n");
    TSampleManager manager(Boxes, Path);
    EXPECT_EQ(manager.Items().Count(), 0);
    ASSERT_TRUE(manager.SaveToFile(""));
    EXPECT_EQ(ReadFileBytes(Path), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Samples />\n");

    // A missing file is no error; its name is remembered for the first save.
    const std::string fresh = Dir.File("fresh.xml");
    TSampleManager first(Boxes, fresh);
    EXPECT_EQ(first.Items().Count(), 0);
    EXPECT_FALSE(fs::exists(fresh));
    first.Items().Add();
    EXPECT_TRUE(first.SaveToFile(""));
    EXPECT_TRUE(fs::exists(fresh));

    TSampleManager unnamed(Boxes, "");
    unnamed.Items().Add();
    EXPECT_FALSE(unnamed.SaveToFile(""));
    EXPECT_TRUE(unnamed.SaveToFile(Dir.File("named.xml")));
    EXPECT_EQ(unnamed.FileName(), Dir.File("named.xml"));
    EXPECT_TRUE(Boxes.Boxes.empty());
}

TEST_F(XmlRecordsTest, AFailedSaveKeepsTheOldFileAndIsReported)
{
    WriteFileBytes(Path, "<Samples><Sample><Name>old</Name></Sample></Samples>");
    const std::string before = ReadFileBytes(Path);
    TSampleManager manager(Boxes, Path);
    manager.Items().Add().Name = std::string(1000, 'n');
    bool saved = true;
    {
        TWriteLimit limit(100);
        saved = manager.SaveToFile("");
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadFileBytes(Path), before);
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_EQ(Boxes.Boxes[0].Caption, "Error!");
    EXPECT_EQ(Boxes.Boxes[0].Text.rfind("Can't write file " + Path + "\n", 0), 0u) << Boxes.Boxes[0].Text;
}

TEST_F(XmlRecordsTest, AnUnreadableFileIsKeptAsideNotOverwritten)
{
    const std::string broken = "<Samples><Sample><Name>precious</Name></Sample>";
    WriteFileBytes(Path, broken);
    WriteFileBytes(Path + ".bad", "an older copy, replaced");
    TSampleManager manager(Boxes, Path);
    EXPECT_EQ(manager.Items().Count(), 0);
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_EQ(Boxes.Boxes[0].Caption, "Error!");
    EXPECT_EQ(Boxes.Boxes[0].Text.rfind("Can't read file " + Path + "\n", 0), 0u) << Boxes.Boxes[0].Text;
    EXPECT_NE(Boxes.Boxes[0].Text.find(Path + ".bad"), std::string::npos);

    manager.Items().Add().Name = "new";
    ASSERT_TRUE(manager.SaveToFile(""));
    EXPECT_EQ(ReadFileBytes(Path + ".bad"), broken);
    EXPECT_EQ(TSampleManager(Boxes, Path).Items()[0].Name, "new");
}

TEST_F(XmlRecordsTest, AFileThatCannotBeKeptAsideIsNeverSavedOver)
{
    const std::string broken = "not xml at all";
    WriteFileBytes(Path, broken);
    WriteFileBytes(Path + ".bad/blocker", ""); // a folder in the way of the rename
    TSampleManager manager(Boxes, Path);
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_EQ(Boxes.Boxes[0].Text.rfind("Can't read file " + Path + "\n", 0), 0u);

    manager.Items().Add();
    EXPECT_FALSE(manager.SaveToFile(""));
    EXPECT_EQ(ReadFileBytes(Path), broken);
    ASSERT_EQ(Boxes.Boxes.size(), 2u);
    EXPECT_EQ(Boxes.Boxes[1].Text.rfind("Can't write file " + Path + "\n", 0), 0u);
    EXPECT_FALSE(manager.SaveToFile("")); // refused again, without a box each time
    EXPECT_EQ(Boxes.Boxes.size(), 2u);

    // Saving elsewhere still works.
    EXPECT_TRUE(manager.SaveToFile(Dir.File("elsewhere.xml")));
}

TEST_F(XmlRecordsTest, SettingsCollectionsShareTheFileHelper)
{
    TXmlFile file(Boxes, 0600);
    ASSERT_TRUE(file.Save(Path, "Proxies", [](pugi::xml_node root) {
        WriteChild(root, "Enabled", true);
        root.append_child("Items").append_child("Proxy");
    }));
    EXPECT_EQ(fs::status(Path).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);

    bool enabled = false;
    int proxies = 0;
    EXPECT_TRUE(file.Load(Path, [&](pugi::xml_node root) {
        EXPECT_STREQ(root.name(), "Proxies");
        ReadChild(root, "Enabled", enabled);
        proxies = int(std::distance(root.child("Items").begin(), root.child("Items").end()));
    }));
    EXPECT_TRUE(enabled);
    EXPECT_EQ(proxies, 1);
    EXPECT_FALSE(file.Load(Dir.File("none.xml"), [](pugi::xml_node) { FAIL() << "read a missing file"; }));
}

TEST(OwnedCollectionTest, MoveInsertExtract)
{
    struct TName : TXmlItem {
        std::string Text;
        void ReadFromNode(pugi::xml_node element) override { Text = element.name(); }
        void WriteToNode(pugi::xml_node parent) const override { parent.append_child(Text.c_str()); }
    };
    auto names = [](const TOwnedCollection<TName>& c) {
        std::string all;
        for (int i = 0; i < c.Count(); ++i)
            all += c[i].Text;
        return all;
    };
    struct Case {
        int from, to;
        const char* result;
    } cases[] = {{0, 2, "bcad"}, {3, 0, "dabc"}, {1, 1, "abcd"}, {2, 3, "abdc"}};
    for (const Case& c : cases) {
        TOwnedCollection<TName> collection;
        for (const char* text : {"a", "b", "c", "d"})
            collection.Add().Text = text;
        const TName* moved = &collection[c.from];
        collection.Move(c.from, c.to);
        EXPECT_EQ(names(collection), c.result) << c.from << "->" << c.to;
        EXPECT_EQ(collection.IndexOf(moved), c.to);
    }

    TOwnedCollection<TName> collection;
    collection.Add().Text = "a";
    collection.Insert(0, std::make_unique<TName>()).Text = "b";
    EXPECT_EQ(names(collection), "ba");
    EXPECT_EQ(collection.Extract(1)->Text, "a");
    EXPECT_THROW(collection.Delete(1), std::out_of_range);
    EXPECT_THROW(collection.Move(0, 1), std::out_of_range);
    EXPECT_EQ(names(collection), "b");
}
