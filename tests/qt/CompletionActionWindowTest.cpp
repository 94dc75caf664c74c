#include "ModalScript.h"
#include "RussianTexts.h"
#include "app/CompletionAction.h"
#include "app/DataFiles.h"
#include "app/ProgramSession.h"
#include "app/qt/LogindPower.h"
#include "app/qt/QuorvexForm.h"
#include "app/qt/dlgCompleteAll.h"
#include "app/qt/dlgCompleteOptions.h"
#include "config/LangChanger.h"
#include "config/Options.h"
#include "config/qt/QtLangWindow.h"
#include "core/AppFolders.h"
#include "core/MainThread.h"
#include "core/MessageCatalogue.h"
#include "hosts/qt/dlgGraphProperties.h"
#include "records/HistoryManager.h"
#include "support/PrivateBus.h"
#include "support/TaskFakes.h"
#include "support/TempDir.h"
#include "tasks/ManagerTask.h"
#include "tasks/qt/QtDialogCountdown.h"
#include "tasks/qt/QtTaskDialogs.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <mutex>

namespace {

// Stands in for the login manager on a private bus: records each call as "Method
// argument". Like an older manager it has no RebootWithFlags, and it refuses to hibernate.
class TLoginManagerStandIn : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    std::vector<std::string> Calls()
    {
        std::lock_guard guard(Lock_);
        return Calls_;
    }
    void Clear()
    {
        std::lock_guard guard(Lock_);
        Calls_.clear();
    }

public slots:
    void PowerOff(bool interactive) { Record("PowerOff", interactive); }
    void PowerOffWithFlags(qulonglong flags) { Record("PowerOffWithFlags", flags); }
    void Reboot(bool interactive) { Record("Reboot", interactive); }
    void Hibernate(bool interactive) { Record("Hibernate", interactive); }
    void HibernateWithFlags(qulonglong flags)
    {
        Record("HibernateWithFlags", flags);
        sendErrorReply(QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"), QStringLiteral("Permission denied"));
    }
    void Suspend(bool interactive) { Record("Suspend", interactive); }
    void SuspendWithFlags(qulonglong flags) { Record("SuspendWithFlags", flags); }
    void TerminateSession(const QString& id) { Record("TerminateSession", id); }

private:
    void Record(const char* method, const QVariant& argument)
    {
        std::lock_guard guard(Lock_);
        Calls_.push_back(std::string(method) + " " + argument.toString().toStdString());
    }

    std::mutex Lock_;
    std::vector<std::string> Calls_;
};

// The window's side: the real warning, answered by a script.
class TScriptedShell : public ICompletionShell {
public:
    bool ConfirmCompletion(int seconds) override { return ::ConfirmCompletion(nullptr, Language, seconds); }
    void CloseProgram() override { Calls.push_back("Close"); }
    void ShowSystemError(const std::string& text) override { Calls.push_back("Error " + text); }

    TLangChanger Language;
    std::vector<std::string> Calls;
};

// The tests' own bus, with the stand-in on it in a thread of its own, so that the blocking
// calls of the program find it answering. The machine's login manager is never reached:
// the program's system bus is this one.
class CompletionLogindTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        TPrivateBus* bus = TPrivateBus::Instance();
        ASSERT_NE(bus, nullptr) << TPrivateBus::Problem();
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", bus->Address().c_str());
        Thread_ = new QThread;
        Thread_->start();
        StandIn_ = new TLoginManagerStandIn;
        StandIn_->moveToThread(Thread_);
        QDBusConnection connection =
            QDBusConnection::connectToBus(QString::fromStdString(bus->Address()), "login-stand-in");
        ASSERT_TRUE(connection.isConnected());
        ASSERT_TRUE(connection.registerObject("/org/freedesktop/login1", StandIn_, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(connection.registerService("org.freedesktop.login1"));
    }
    static void TearDownTestSuite()
    {
        QDBusConnection::disconnectFromBus("login-stand-in");
        Thread_->quit();
        Thread_->wait();
        delete StandIn_;
        delete Thread_;
        qunsetenv("DBUS_SYSTEM_BUS_ADDRESS");
    }
    void SetUp() override
    {
        TPrivateBus* bus = nullptr;
        FindServerOrSkip(bus);
        if (bus)
            StandIn_->Clear();
    }

    static QThread* Thread_;
    static TLoginManagerStandIn* StandIn_;
};

QThread* CompletionLogindTest::Thread_ = nullptr;
TLoginManagerStandIn* CompletionLogindTest::StandIn_ = nullptr;

TEST_F(CompletionLogindTest, ActionReachesTheLoginManagerWithItsMethodAndFlags)
{
    qputenv("XDG_SESSION_ID", "c7");
    const struct {
        TCompletionSettings settings;
        std::vector<std::string> requests;
        std::vector<std::string> shell;
    } cases[] = {
        // Forced: other programs' block inhibitors are skipped (flag 16).
        {{false, caShutdown, 30, true}, {"PowerOffWithFlags 16"}, {}},
        // A manager without the call with flags gets the plain, interactive one.
        {{false, caReboot, 30, true}, {"Reboot true"}, {}},
        {{false, caSleep, 30, false}, {"Suspend true"}, {}},
        {{false, caLogoff, 30, true}, {"TerminateSession c7"}, {}},
        {{false, caHibernate, 30, true}, {"HibernateWithFlags 16"}, {"Error Permission denied"}},
        {{false, caClose, 30, true}, {}, {"Close"}},
    };
    for (const auto& c : cases) {
        StandIn_->Clear();
        TScriptedShell shell;
        TLogindPower power;
        RunCompletionAction(
            c.settings, [] { return true; }, shell, power);
        EXPECT_EQ(StandIn_->Calls(), c.requests) << c.settings.Action;
        EXPECT_EQ(shell.Calls, c.shell) << c.settings.Action;
    }
    qunsetenv("XDG_SESSION_ID");
}

TEST_F(CompletionLogindTest, WarningLeftAloneRunsTheActionAndCancelRunsNothing)
{
    TScriptedShell shell;
    TLogindPower power;
    const TCompletionSettings settings{true, caShutdown, 2, false};
    {
        TModalScript script({[](QWidget& window) { window.findChild<QPushButton*>("btnCancel")->click(); }});
        RunCompletionAction(
            settings, [] { return true; }, shell, power);
        EXPECT_EQ(script.Seen(), std::vector<std::string>{"dlgCompleteAll"});
        EXPECT_TRUE(StandIn_->Calls().empty());
    }
    TModalScript script({[](QWidget& window) {
        auto& countdown = static_cast<TdlgCompleteAll&>(window).Countdown();
        countdown.Tick();
        countdown.Tick();
    }});
    RunCompletionAction(
        settings, [] { return true; }, shell, power);
    EXPECT_EQ(StandIn_->Calls(), std::vector<std::string>{"PowerOff true"});
}

TEST(CompletionWindowsTest, GraphAndCompletionWindowsSpeakTheLanguageFile)
{
    TLangChanger english;
    ASSERT_TRUE(english.SetLangFile(QUORVEX_LANGUAGES_DIR "english.lng"));
    TRecordingBoxes boxes;
    TTraffSchemaCollection schemes(boxes);
    TQtTaskDialogs dialogs(nullptr, english);
    TdlgGraphProperties properties(schemes, dialogs);
    TdlgCompleteAll warning(30);
    TdlgCompleteOptions options(TCompletionSettings{});
    for (QWidget* window : std::initializer_list<QWidget*>{&properties, &warning, &options}) {
        TranslateQtForm(english, *window);
        EXPECT_EQ(RussianTexts(*window), "") << window->objectName().toStdString();
    }
}

TEST(CompletionWindowTest, ClosingAfterTheLastDownloadSavesAndEndsWithoutAsking)
{
    const TAppFolders saved = AppFolders();
    TTempDir temp;
    TAppFolders folders = saved;
    folders.DataFolder = temp.Path().string() + "/data/";
    folders.DefaultsFolder = QUORVEX_DEFAULTS_DIR;
    folders.LanguagesFolder = QUORVEX_LANGUAGES_DIR;
    SetAppFolders(folders);
    Options() = TOptions{};
    Options().bMonitorClipboard = false;
    Options().bFinishAfterCompleteAll = true;
    Options().bShowFinishWarning = false;
    Options().caFinishAction = caClose;
    const TDataFiles files = LocateDataFiles();
    const std::string source = temp.File("in/song.flac");
    WriteFileBytes(source, RandomBytes(200000));
    {
        TMainThread mainThread;
        TLangChanger language;
        TQuorvexForm form(mainThread, language, files, false);
        QSignalSpy closed(&form, &TQuorvexForm::Closed);
        form.Tasks().AddFiles(source, temp.Path().string() + "/out", true);
        EXPECT_TRUE(QTest::qWaitFor([&] { return closed.count() == 1; }, 20000));
        EXPECT_EQ(form.Session().History().Items().Count(), 1);
    }
    EXPECT_TRUE(std::filesystem::exists(temp.File("data/default.qtl")));
    Options() = TOptions{};
    SetAppFolders(saved);
    ClearMessageTexts();
}

}  // namespace

#include "CompletionActionWindowTest.moc"
