// Times the main window over a list of 10,000 tasks, three of them downloading from a slow
// loopback server: from the start to the window on the screen, one tick with its repaint,
// and the longest time the event loop is held up while the transfers run and one of them
// is stopped. Runs on the offscreen platform unless a display is given.

#include "app/DataFiles.h"
#include "app/ProgramSession.h"
#include "app/qt/QuorvexForm.h"
#include "config/LangChanger.h"
#include "config/Options.h"
#include "core/AppFolders.h"
#include "core/MainThread.h"
#include "support/FaultyHttpServer.h"
#include "support/TempDir.h"
#include "tasks/ManagerTask.h"
#include "tasks/TaskItem.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

constexpr int kTasks = 10000;
constexpr int kDownloading = 3;
constexpr int kTicks = 41;
constexpr int kRunMs = 6000;
constexpr int kProbeMs = 5;  // the loop's heartbeat while transfers run

// Milliseconds since the process began (the kernel counts in clock ticks of 10 ms).
double SinceProcessStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    }
    timespec boot{};
    clock_gettime(CLOCK_BOOTTIME, &boot);
    const double started = std::stod(field) * 1000.0 / double(sysconf(_SC_CLK_TCK));
    return double(boot.tv_sec) * 1000.0 + double(boot.tv_nsec) / 1e6 - started;
}

double Milliseconds(TClock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

void WriteList(const std::string& file, const TFaultyHttpServer& server, const std::string& folder)
{
    std::ofstream out(file);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<List>\n";
    for (int i = 0; i < kTasks; ++i) {
        const bool downloading = i >= kTasks - kDownloading;
        out << "<Task><Source>" << server.Url("/file" + std::to_string(downloading ? i % kDownloading : 99) + ".bin")
            << "</Source><Destination>" << folder << "</Destination><Name>f" << i << ".bin</Name><Size>"
            << (downloading ? -1 : 1000000 + i) << "</Size><Loaded>" << (downloading ? 0 : i * 37 % 1000000)
            << "</Loaded><TypeStart>1</TypeStart><State>" << (downloading ? 0 : 2) << "</State></Task>\n";
    }
    out << "</List>\n";
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    TTempDir temp;
    TFaultyHttpServer server;
    for (int k = 0; k < kDownloading; ++k) {
        TFaultyReply slow;
        slow.Body.assign(64 << 20, char('a' + k));
        slow.SlowChunk = 16384;
        slow.SlowDelayMs = 10;  // about 1.6 MB/s each: still running when the run ends
        server.Serve("/file" + std::to_string(k) + ".bin", slow);
    }
    TAppFolders folders = AppFolders();
    folders.DataFolder = temp.Path().string() + "/data/";
    SetAppFolders(folders);
    const TDataFiles files = LocateDataFiles();
    WriteList(files.TaskList, server, temp.Path().string() + "/out");
    Options().ListMaxActiveTask = kDownloading;
    Options().iMaxConnectionHTTPDef = kDownloading;  // all three from the one loopback server
    Options().bdsExitProgram = true;
    Options().bMonitorClipboard = false;

    TMainThread mainThread;
    TLangChanger language;
    TQuorvexForm form(mainThread, language, files, false);
    form.show();
    while (!form.windowHandle() || !form.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    QApplication::processEvents();
    const double shown = SinceProcessStart();

    // Transfers run; the loop's longest gap between two heartbeats is the worst freeze.
    TClock::time_point last = TClock::now();
    double worstGap = 0;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const auto now = TClock::now();
        worstGap = std::max(worstGap, Milliseconds(now - last) - kProbeMs);
        last = now;
    });
    probe.start(kProbeMs);
    std::vector<double> ticks;
    std::vector<double> tickOnly;
    QTimer measure;
    QObject::connect(&measure, &QTimer::timeout, [&] {
        QElapsedTimer timer;
        timer.start();
        form.Tick();
        tickOnly.push_back(double(timer.nsecsElapsed()) / 1e6);
        // What the tick changed is painted: the rows whose values moved, the status bar.
        QApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        ticks.push_back(double(timer.nsecsElapsed()) / 1e6);
    });
    measure.start(kRunMs / kTicks);
    // Halfway, the user stops one of the downloads.
    QTimer::singleShot(kRunMs / 2, [&] {
        TManagerTask& tasks = form.Tasks();
        tasks.Rows().ClearSelection();
        tasks.Rows().Select(tasks.Rows().IndexOf(&tasks.Tasks()[kTasks - 1]));
        form.Action("actTaskPause")->trigger();
    });
    int running = 0;
    QTimer::singleShot(kRunMs, [&] {
        for (int i = kTasks - kDownloading; i < kTasks; ++i)
            running += form.Tasks().Tasks()[i].State() == stateStarted;
        QApplication::exit(0);
    });
    last = TClock::now();
    QApplication::exec();

    std::sort(ticks.begin(), ticks.end());
    std::sort(tickOnly.begin(), tickOnly.end());
    std::printf("window-scale: %d tasks, %d downloading at the end (of %d, one stopped)\n", kTasks, running,
                kDownloading);
    std::printf("  shown after start      %8.1f ms   (goal < 1500; from the process start, 10 ms steps)\n", shown);
    std::printf("  tick with repaint      %8.2f ms median, %.2f ms worst of %zu   (goal < 10)\n",
                ticks[ticks.size() / 2], ticks.back(), ticks.size());
    std::printf("    of which the tick    %8.2f ms median\n", tickOnly[tickOnly.size() / 2]);
    std::printf("  longest freeze         %8.1f ms   (goal < 50)\n", worstGap);
    return 0;
}
