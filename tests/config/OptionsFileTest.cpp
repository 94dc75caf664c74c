#include "config/OptionsFile.h"

#include "support/TaskFakes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(OptionsFileTest, ReadsStoredKeysAndKeepsTheRest)
{
    TTempDir dir;
    WriteFileBytes(dir.Path() / "options.xml",
                   "<Options><Defaults>"
                   "<TaskMaxRetries>9</TaskMaxRetries><bUseCokies>0</bUseCokies>"
                   "<sFTPModeASCIIFileExt>txt</sFTPModeASCIIFileExt><TaskBufferSize>lots</TaskBufferSize>"
                   "<AlraedyInDiskWhatToDo>2</AlraedyInDiskWhatToDo>"
                   "<bdsAllTaskDelete>1</bdsAllTaskDelete>"
                   "</Defaults><Confirmation><bdsAllSelectedTaskRestart>1</bdsAllSelectedTaskRestart>"
                   "</Confirmation></Options>");
    TRecordingBoxes boxes;
    TXMLStorage store(dir.File("options.xml"), boxes);
    store.Open();
    TOptions options;
    options.ListMaxActiveTask = 17;  // no key: stays

    ReadOptions(store, options);

    const TOptions defaults;
    EXPECT_EQ(options.TaskMaxRetries, 9);
    EXPECT_FALSE(options.bUseCokies);
    EXPECT_EQ(options.sFTPModeASCIIFileExt, "txt");
    EXPECT_EQ(options.TaskBufferSize, defaults.TaskBufferSize);
    EXPECT_EQ(options.AlraedyInDiskWhatToDo, efAddTo);
    EXPECT_EQ(options.ListMaxActiveTask, 17);
    // Confirmation flags live in their own section only.
    EXPECT_EQ(options.bdsAllTaskDelete, defaults.bdsAllTaskDelete);
    EXPECT_TRUE(options.bdsAllSelectedTaskRestart);
    EXPECT_TRUE(boxes.Shown.empty());
}

TEST(OptionsFileTest, ReadsRecentTextListsAndRecordLimits)
{
    TTempDir dir;
    WriteFileBytes(dir.Path() / "options.xml",
                   "<Options><Defaults><ListFilter><ListFilter0>*.iso</ListFilter0><ListFilter1>bin</ListFilter1>"
                   "</ListFilter><HistoryLineMax>50</HistoryLineMax><ListFinded/></Defaults>"
                   "<Confirmation><bdsAllHistoryDelete>1</bdsAllHistoryDelete></Confirmation></Options>");
    TRecordingBoxes boxes;
    TXMLStorage store(dir.File("options.xml"), boxes);
    store.Open();
    TOptions options;
    options.ListFinded = {"kept"};  // stored empty: stays

    ReadOptions(store, options);

    EXPECT_EQ(options.ListFilter, (std::vector<std::string>{"*.iso", "bin"}));
    EXPECT_EQ(options.ListFinded, std::vector<std::string>{"kept"});
    EXPECT_EQ(options.HistoryLineMax, 50);
    EXPECT_TRUE(options.bdsAllHistoryDelete);
    EXPECT_EQ(options.iRecycleBinLineMax, 300);
}
