#include "cli/ConsolePorts.h"
#include "config/Options.h"
#include "support/TaskFakes.h"
#include "tasks/TaskProp.h"

#include <gtest/gtest.h>

// Nobody answers on a terminal: a task goes in as proposed, a duplicate under the first
// free name, and every request of the records is silent.
TEST(ConsolePortsTest, TheAddingFlowRunsWithoutAPerson)
{
    TTaskBed bed;
    TManagerTask& manager = bed.OpenManager();
    TConsoleDialogs dialogs(efRename);
    bool useByDefault = true;
    // Without a folder to propose OK cannot be pressed.
    TTaskProp nowhere{.Source = "/s/a"};
    EXPECT_FALSE(dialogs.ShowTaskDialog(nowhere, true, useByDefault));
    TTaskProp prop{.Source = "/s/a", .Destination = "/d", .Name = "b"};
    ASSERT_TRUE(dialogs.ShowTaskDialog(prop, true, useByDefault));
    EXPECT_EQ(prop.Destination + " " + prop.Name, "/d ");
    EXPECT_FALSE(useByDefault);
    std::string destination = "/d";
    std::string name = "a[1]";
    ASSERT_TRUE(dialogs.AskDuplicate(destination, name));
    EXPECT_EQ(destination + " " + name, "/d a[1]");

    TConsoleTaskAdding adding;
    adding.AddFileList({"/s/a"}, {"/d"}, false);  // no list yet: nothing to add to
    adding.Target = &manager;
    adding.AddFileList({"/s/a", "/s/b"}, {"/d"}, false);
    EXPECT_EQ(manager.Tasks().Count(), 2);
    EXPECT_TRUE(bed.Dialogs.Asked.empty());
}
