// Times the task list at 10,000 tasks: saving, loading and one tick of the queue.

#include "cli/ConsolePorts.h"
#include "config/Options.h"
#include "core/Clock.h"
#include "core/LogCodes.h"
#include "core/MainThread.h"
#include "tasks/ManagerTask.h"
#include "tasks/TaskStandIns.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kTasks = 10000;
constexpr int kRounds = 7;

// Median milliseconds of kRounds runs of step.
double MedianMilliseconds(const std::function<void()>& step)
{
    std::vector<double> times;
    for (int i = 0; i < kRounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        step();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + kRounds / 2, times.end());
    return times[kRounds / 2];
}

void FillList(TManagerTask& manager)
{
    char number[16];
    for (int i = 0; i < kTasks; ++i) {
        std::snprintf(number, sizeof number, "%05d", i);
        TTaskItem& task = manager.AddTask();
        task.Source = std::string("\\\\fileserver\\media\\season\\episode-") + number + ".mkv";
        task.Destination = "/home/user/Downloads/";
        task.Size = 700LL * 1024 * 1024;
        task.Loaded = int64_t(i) * 4096;
        // Waiting and stopped tasks: with no active slot, a tick starts none of them.
        task.SetState(i % 2 ? stateWait : stateStopped);
        task.Log.Add(lcInformation, "Start download " + task.Source);
        task.Log.Add(lcStepSucceeded, "Connected");
        task.Log.Add(lcFailure, "Connection reset by peer");
    }
}

} // namespace

int main()
{
    TMainThread mainThread;
    TSystemClock clock;
    TConsoleShell shell;
    TConsoleDialogs dialogs(efRename);
    TConsoleDesktop desktop;
    TConsoleBoxes boxes;
    TNoHostLimits hosts;
    TRecordedTasks records;
    TTaskEnvironment environment{mainThread, clock, shell, dialogs, desktop, boxes, hosts, records, records};

    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("bench-task-list-" + std::to_string(getpid()) + ".qtl");
    TManagerTask manager(environment, {});
    manager.MaxActiveTasks = 0;
    manager.DeleteCompletedTasks = false;
    FillList(manager);
    manager.SaveListAs(file.string());

    const double save = MedianMilliseconds([&] { manager.SaveToFile({}); });
    const double open = MedianMilliseconds([&] { manager.OpenFile(file.string()); });
    const double tick = MedianMilliseconds([&] { manager.Tick(); });
    const auto bytes = std::filesystem::file_size(file);
    std::filesystem::remove(file);

    std::printf("task list: %d tasks (half waiting, half stopped, 3 log lines each), file %.1f MiB\n",
                manager.Tasks().Count(), double(bytes) / (1024.0 * 1024.0));
    std::printf("  SaveToFile   median %8.1f ms of %d runs\n", save, kRounds);
    std::printf("  OpenFile     median %8.1f ms of %d runs\n", open, kRounds);
    std::printf("  Tick         median %8.2f ms of %d runs\n", tick, kRounds);
    return 0;
}
