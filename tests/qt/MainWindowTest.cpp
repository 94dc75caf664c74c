#include "ModalScript.h"
#include "RussianTexts.h"
#include "WindowTestBed.h"
#include "app/ProgramSession.h"
#include "app/qt/QuorvexForm.h"
#include "app/qt/SingleInstance.h"
#include "app/qt/SplashScreen.h"
#include "config/Options.h"
#include "config/OptionsFile.h"
#include "config/qt/QtLangWindow.h"
#include "core/MessageCatalogue.h"
#include "core/XMLStorage.h"
#include "records/HistoryManager.h"
#include "records/RecycleBinManager.h"
#include "support/FaultyHttpServer.h"
#include "support/TaskFakes.h"
#include "tasks/ManagerTask.h"
#include "tasks/TaskItem.h"
#include "tasks/qt/QtDesktop.h"
#include "tasks/qt/TaskListView.h"
#include "tasks/qt/TaskPage.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

class MainWindowTest : public TWindowTestBed {
protected:
    MainWindowTest()
    {
        Options().ListDeleteTaskAfterComplete = false;
        Options().DefaultTaskStart = tsManually;
    }
    std::unique_ptr<TQuorvexForm> Open() { return OpenWindow(); }
};

void Click(QWidget& window, const char* button)
{
    auto* push = window.findChild<QPushButton*>(button);
    ASSERT_NE(push, nullptr) << button;
    push->click();
}

// The task dialog: source and folder typed in, then OK.
TModalScript::TStep FillTaskDialog(const std::string& source, const std::string& folder)
{
    return [source, folder](QWidget& dialog) {
        if (!source.empty())
            dialog.findChild<QComboBox*>("cmbSource")->setEditText(QString::fromStdString(source));
        dialog.findChild<QComboBox*>("cmbDestination")->setEditText(QString::fromStdString(folder));
        Click(dialog, "btnOK");
    };
}

fs::file_time_type WriteTime(const std::string& file)
{
    return fs::last_write_time(file);
}

TEST_F(MainWindowTest, ExitWritesEveryListThenTheOptions)
{
    {
        auto form = Open();
        form->resize(777, 555);
        form->Action("actExit")->trigger();
        EXPECT_FALSE(form->isVisible());
    }
    // As the program ends: the options after the window, with what the window stored.
    TRecordingBoxes boxes;
    TXMLStorage store(Files.Options, boxes);
    store.Open();
    ASSERT_TRUE(SaveOptions(store, Options()));
    for (const std::string& file : {Files.Hosts, Files.TaskList, Files.History, Files.RecycleBin, Files.Scheduler,
                                    Files.UserAgents, Files.Connections, Files.Proxies}) {
        ASSERT_TRUE(fs::exists(file)) << file;
        EXPECT_LE(WriteTime(file), WriteTime(Files.Options)) << file;
    }
    TOptions read;
    TXMLStorage check(Files.Options, boxes);
    check.Open();
    ReadOptions(check, read);
    EXPECT_EQ(read.MainWindowWidth, 777);
    EXPECT_TRUE(boxes.Shown.empty());
}

TEST_F(MainWindowTest, InEnglishTheWindowAndTheSplashShowNoRussianText)
{
    auto form = Open();
    EXPECT_EQ(RussianTexts(*form), "");
    TQtDesktop desktop;
    TSplashScreen splash(desktop);
    TranslateQtForm(Language, splash);
    EXPECT_EQ(RussianTexts(splash), "");
}

TEST_F(MainWindowTest, ASecondStartAsksTheFirstForItsWindowAndEnds)
{
    const std::string runtime = Temp.Path().string() + "/run";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
    auto first = std::make_unique<TSingleInstance>(runtime);
    ASSERT_TRUE(first->Register());
    QSignalSpy raised(first.get(), &TSingleInstance::RaiseRequested);

    // The program itself, started again by the user.
    QProcess second;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime));
    environment.insert("XDG_DATA_HOME", QString::fromStdString(Temp.Path().string() + "/data-home"));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    second.setProcessEnvironment(environment);
    second.start(QUORVEX_PROGRAM, {"-minimize"});
    ASSERT_TRUE(raised.wait(10000));
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);

    // Once the first is gone, the next start is a first one.
    TSingleInstance other(runtime);
    EXPECT_FALSE(other.Register());
    first.reset();
    EXPECT_TRUE(other.Register());
}

TEST_F(MainWindowTest, ATaskAddedThroughTheDialogCompletesInTheListAndLandsInTheHistory)
{
    const std::string source = Temp.File("in/song.flac");
    WriteFileBytes(source, RandomBytes(300000));
    const std::string folder = Temp.Path().string() + "/out";
    Options().DefaultTaskStart = tsAutomatic;
    auto form = Open();

    TModalScript script({FillTaskDialog(source, folder)});
    form->Action("actAdd")->trigger();
    ASSERT_EQ(script.Seen(), std::vector<std::string>{"DlgTaskProperties"});
    TManagerTask& tasks = form->Tasks();
    ASSERT_EQ(tasks.Tasks().Count(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->Session().History().Items().Count() == 1; }, 20000));
    EXPECT_EQ(tasks.Tasks()[0].State(), stateCompleted);
    EXPECT_EQ(ReadFileBytes(folder + "/song.flac"), ReadFileBytes(source));
    form->Tick();
    const QAbstractItemModel* rows = form->TaskPage().TaskList().model();
    EXPECT_TRUE(rows->index(0, 5).data().toString().contains("100"))
        << rows->index(0, 5).data().toString().toStdString();
}

TEST_F(MainWindowTest, PastedOrDroppedLinksGetOneDialogAndTheQuestionForTheRest)
{
    const std::string folder = Temp.Path().string() + "/out";
    auto form = Open();
    // Yes to the question: the other links take the first one's properties.
    const auto yes = [](QWidget& box) { Click(box, "btnYes"); };

    QGuiApplication::clipboard()->setText(
        "http://127.0.0.1:9/a.bin\nhttp://127.0.0.1:9/b.bin\nhttp://127.0.0.1:9/c.bin");
    {
        TModalScript script({FillTaskDialog({}, folder), yes});
        form->Action("actPaste")->trigger();
        EXPECT_EQ(script.Seen(), (std::vector<std::string>{"DlgTaskProperties", "MessageDlg"}));
    }
    ASSERT_EQ(form->Tasks().Tasks().Count(), 3);
    EXPECT_EQ(form->Tasks().Tasks()[2].Source, "http://127.0.0.1:9/c.bin");
    EXPECT_EQ(form->Tasks().Tasks()[2].Destination, folder);

    QMimeData dropped;
    dropped.setUrls({QUrl("ftp://127.0.0.1:9/d.iso"), QUrl("ftp://127.0.0.1:9/e.iso")});
    {
        TModalScript script({FillTaskDialog({}, folder), yes});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form->TaskPage().TaskList().viewport(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form->TaskPage().TaskList().viewport(), &drop);
        EXPECT_TRUE(QTest::qWaitFor([&] { return form->Tasks().Tasks().Count() == 5; }, 5000));
        EXPECT_EQ(script.Seen(), (std::vector<std::string>{"DlgTaskProperties", "MessageDlg"}));
    }
}

TEST_F(MainWindowTest, TheClipboardMonitorTakesOthersLinksButNeverTheProgramsOwnCopy)
{
    Options().bMonitorClipboard = true;
    Options().bFilterClipboard = false;
    const std::string folder = Temp.Path().string() + "/out";
    auto form = Open();
    {
        TModalScript script({FillTaskDialog({}, folder)});
        QGuiApplication::clipboard()->setText("http://127.0.0.1:9/other.bin");
        EXPECT_TRUE(QTest::qWaitFor([&] { return form->Tasks().Tasks().Count() == 1; }, 5000));
    }
    // The program copies its task's link: nothing is added, no dialog shows.
    TModalScript none({});
    form->Tasks().SelectAll();
    form->Action("actCopy")->trigger();
    QTest::qWait(200);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "http://127.0.0.1:9/other.bin");
    EXPECT_TRUE(none.Seen().empty());
    EXPECT_EQ(form->Tasks().Tasks().Count(), 1);
}

TEST_F(MainWindowTest, RunningDownloadsAreStoppedRestartedMovedAndDeletedFromTheWindow)
{
    TFaultyHttpServer server;
    TFaultyReply slow;
    slow.Body = RandomBytes(4 << 20);
    slow.SlowChunk = 8192;
    slow.SlowDelayMs = 20;
    std::string links;
    for (const char* name : {"/a.bin", "/b.bin", "/c.bin"}) {
        server.Serve(name, slow);
        links += server.Url(name) + "\n";
    }
    Options().iMaxConnectionHTTPDef = 3;
    const std::string folder = Temp.Path().string() + "/out";
    auto form = Open();
    TManagerTask& tasks = form->Tasks();
    tasks.AddFiles(links, folder, true);
    ASSERT_EQ(tasks.Tasks().Count(), 3);
    const auto stateOf = [&](int index) { return tasks.Tasks()[index].State(); };
    const auto waitFor = [](const std::function<bool()>& done) { return QTest::qWaitFor(done, 10000); };
    const auto selectOnly = [&](int row) {
        tasks.Rows().ClearSelection();
        tasks.Rows().Select(row);
        form->Tick();
    };

    form->Action("actTaskStartAll")->trigger();
    ASSERT_TRUE(waitFor([&] { return stateOf(0) == stateStarted && stateOf(2) == stateStarted; }));
    // The last task to the top, then stopped while it runs.
    TTaskItem* last = &tasks.Tasks()[2];
    selectOnly(2);
    form->Action("actTaskMoveBegin")->trigger();
    EXPECT_EQ(&tasks.Tasks()[0], last);
    selectOnly(tasks.Rows().IndexOf(last));
    form->Action("actTaskPause")->trigger();
    ASSERT_TRUE(waitFor([&] { return last->State() == stateStopped; }));
    {
        TModalScript script({[](QWidget& box) { Click(box, "btnOK"); }});
        form->Action("actTaskReload")->trigger();
        EXPECT_EQ(script.Seen(), std::vector<std::string>{"MessageDlg"});
    }
    ASSERT_TRUE(waitFor([&] { return last->State() == stateStarted; }));
    // Deleting all of them: the question, the first unfinished copy deleted, the same for the rest.
    {
        TModalScript script({[](QWidget& box) { Click(box, "btnOK"); }, [](QWidget& dialog) { Click(dialog, "btnOK"); },
                             [](QWidget& box) { Click(box, "btnYes"); }});
        form->Action("actTaskSelectAll")->trigger();
        form->Action("actTaskDelete")->trigger();
        EXPECT_EQ(script.Seen(),
                  (std::vector<std::string>{"MessageDlg", "DLGAskPerformDeleteIncompleteTask", "MessageDlg"}));
    }
    EXPECT_EQ(tasks.Tasks().Count(), 0);
    EXPECT_EQ(form->Session().RecycleBin().Items().Count(), 3);
    EXPECT_TRUE(waitFor([&] { return fs::is_empty(folder); }));
}

}  // namespace
