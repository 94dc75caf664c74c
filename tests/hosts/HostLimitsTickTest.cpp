#include "HostBed.h"

#include "hosts/HostColumns.h"
#include "hosts/PriorityCommands.h"
#include "support/TempDir.h"
#include "tasks/TaskThread.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Real workers copy local files under a host whose address is the source folder.
class HostLimitsTickTest : public ::testing::Test {
protected:
    THostBed Host{TBedClock::Real};
    TTempDir Dir;
    TManagerHost& Hosts = Host.OpenHosts();
    TManagerTask& Manager = Host.Bed.OpenManager();
    THost& Folder = Host.AddHost(Dir.File("src/"), 2);

    void SetUp() override
    {
        Manager.MaxActiveTasks = 5;
        Manager.DeleteCompletedTasks = false;
        std::filesystem::create_directories(Dir.File("out"));
    }
    TTaskItem& AddCopy(const std::string& name, TTaskState state = stateWait)
    {
        WriteFileBytes(Dir.File("src/" + name), std::string(200000, name[0]));
        return Host.Bed.AddTask(Dir.File("src/" + name), Dir.File("out"), state);
    }
    void FinishWorkers()
    {
        ASSERT_TRUE(Host.Bed.ServeUntil([&] { return Manager.RunningWorkers().Value() == 0; }));
    }
};

} // namespace

TEST_F(HostLimitsTickTest, ThirdTaskWaitsWhileTwoRunAndStartsAsSoonAsOneEnds)
{
    TTaskItem& a = AddCopy("a");
    TTaskItem& b = AddCopy("b");
    TTaskItem& c = AddCopy("c");
    Manager.Tick();
    EXPECT_EQ(a.State(), stateStarted);
    EXPECT_EQ(b.State(), stateStarted);
    EXPECT_EQ(c.State(), stateWait);
    EXPECT_EQ(HostColumnText(Folder, hcConnections), "2/2");
    // The tick that the ended worker asks for, not the timer's, starts it.
    ASSERT_TRUE(Host.Bed.RunUntil([&] { return c.State() != stateWait; }));
    EXPECT_EQ(c.State(), stateStarted);
    EXPECT_LE(Folder.ActiveConnection, 2);
    FinishWorkers();
    EXPECT_EQ(Folder.ActiveConnection, 0);
    EXPECT_EQ(ReadFileBytes(Dir.File("out/c")), std::string(200000, 'c'));
}

TEST_F(HostLimitsTickTest, UserStartsCountBeyondTheLimit)
{
    for (const char* name : {"a", "b", "c"})
        AddCopy(name, stateStopped);
    Manager.SelectAll();
    Host.Bed.Dialogs.CheckBoxAnswers = {{TModalResult::OK, false}};
    Manager.StartSelectedImmediately();
    EXPECT_EQ(HostColumnText(Folder, hcConnections), "3/2");
    EXPECT_FALSE(Hosts.CanConnect(Dir.File("src/d")));
    FinishWorkers();
    EXPECT_EQ(Folder.ActiveConnection, 0);
}

TEST_F(HostLimitsTickTest, TaskReadAsRunningCountsOnTheHostMadeForIt)
{
    // A server that takes the connection and never greets: the worker waits until stopped.
    const int silent = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(silent, reinterpret_cast<sockaddr*>(&address), length), 0);
    ASSERT_EQ(::listen(silent, 1), 0);
    ASSERT_EQ(::getsockname(silent, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const std::string source = "ftp://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/f.bin";
    WriteFileBytes(Dir.File("l.qtl"), "<List><Task><Source>" + source + "</Source><Destination>" +
                                          Dir.File("out") + "</Destination><State>1</State></Task></List>");
    Manager.OpenFile(Dir.File("l.qtl"));
    const THost* host = Hosts.FindHost(source);
    ASSERT_NE(host, nullptr);
    EXPECT_TRUE(host->Temporary);
    EXPECT_EQ(host->ActiveConnection, 1);
    Manager.Tasks()[0].StopTransfer();
    EXPECT_EQ(host->ActiveConnection, 0);
    ::close(silent);
}

TEST_F(HostLimitsTickTest, PriorityCommandsWorkOnTheSelectionOrTheDefault)
{
    Host.ConnectionTypes.DefTraf = tpLowerPriority;
    TTaskItem& a = AddCopy("a", stateStopped);
    TTaskItem& b = AddCopy("b", stateStopped);
    EXPECT_TRUE(GetPriorityCommandsState(Manager, Host.ConnectionTypes).SetTraf[tpLowerPriority].Checked);
    SetTrafficPriority(Manager, tpHigherPriority);  // no selection: the default
    EXPECT_EQ(Host.ConnectionTypes.DefTraf, tpHigherPriority);
    EXPECT_EQ(a.TrafficPriority, tpMiddlePriority);

    a.TrafficPriority = tpLowestPriority;
    Manager.SelectAll();
    const TPriorityCommandsState state = GetPriorityCommandsState(Manager, Host.ConnectionTypes);
    EXPECT_TRUE(state.SetTraf[tpLowestPriority].Checked && !state.SetTraf[tpHigherPriority].Checked);
    EXPECT_EQ(state.ChangeTrafUseImage, kPriorityImageBase + tpLowestPriority);
    ChangeTrafficUse(Manager);  // all take the first selected task's priority
    EXPECT_EQ(b.TrafficPriority, tpLowestPriority);
}
