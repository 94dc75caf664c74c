#include "app/AutomationServer.h"
#include "ModalScript.h"
#include "WindowTestBed.h"
#include "app/qt/QuorvexCom.h"
#include "app/qt/QuorvexForm.h"
#include "config/Options.h"
#include "support/PrivateBus.h"
#include "tasks/ManagerTask.h"
#include "tasks/TaskItem.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCall>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <signal.h>

namespace {

namespace fs = std::filesystem;

QDBusMessage Request(const char* method, const QString& files, const QString& folder)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kAutomationService, kAutomationObject, kAutomationInterface,
                                                       QString::fromLatin1(method));
    call.setArguments({files, folder});
    return call;
}

// Sends the call without waiting: the answer comes once the receiving side ran its loop.
QDBusPendingCall Send(QDBusConnection& bus, const char* method, const QString& files, const QString& folder)
{
    return bus.asyncCall(Request(method, files, folder), 30000);
}

bool Answered(QDBusPendingCall& call, int timeout = 20000)
{
    return QTest::qWaitFor([&] { return call.isFinished(); }, timeout) && !call.isError();
}

// Another program on the tests' bus, and the window's side in this process.
class AutomationServerTest : public TWindowTestBed {
protected:
    void SetUp() override
    {
        FindServerOrSkip(Bus_);
        if (!Bus_)
            return;
        Options().DefaultTaskStart = tsManually;
        Client = QDBusConnection::connectToBus(QString::fromStdString(Bus_->Address()), "automation-client");
        Server = QDBusConnection::connectToBus(QString::fromStdString(Bus_->Address()), "automation-server");
    }
    void TearDown() override
    {
        if (!Bus_)
            return;
        QDBusConnection::disconnectFromBus("automation-client");
        QDBusConnection::disconnectFromBus("automation-server");
    }

    TPrivateBus* Bus_ = nullptr;
    QDBusConnection Client{QString()};
    QDBusConnection Server{QString()};
};

TEST_F(AutomationServerTest, RequestsBeforeTheWindowAndCloseTogetherAreAllAddedInTurn)
{
    TQuorvexCom automation;
    ASSERT_TRUE(automation.Register(Server)) << automation.ErrorText().toStdString();
    const QString folder = QString::fromStdString(Temp.File("out"));
    // Only task sources: a path that looks like a switch or a command is added as it is.
    const QString odd = QStringLiteral("/srv/--regserver $(touch x) a.bin");

    // Before the window exists: the call returns and the request waits.
    QDBusPendingCall early = Send(Client, "AddFilesSilent", "/srv/early.bin\r\n", folder);
    ASSERT_TRUE(Answered(early)) << early.error().message().toStdString();
    QDBusPendingCall empty = Send(Client, "AddFilesSilent", "\r\n", folder);
    ASSERT_TRUE(Answered(empty));

    TQuorvexForm form(MainThread, Language, Files, false);
    form.show();
    // The first asks through the task dialog; the second comes while it is open and waits.
    TModalScript script({[](QWidget& dialog) { dialog.findChild<QPushButton*>("btnOK")->click(); }});
    automation.SetWindow(&form);
    QDBusPendingCall asking = Send(Client, "AddFiles", "/srv/asked.bin\r\n", folder);
    QDBusPendingCall silent = Send(Client, "AddFilesSilent", odd + "\n", folder);
    ASSERT_TRUE(Answered(asking));
    ASSERT_TRUE(Answered(silent));
    const TTaskCollection& tasks = form.Tasks().Tasks();
    ASSERT_TRUE(QTest::qWaitFor([&] { return tasks.Count() == 3; }, 10000)) << tasks.Count();
    EXPECT_EQ(script.Seen(), std::vector<std::string>{"DlgTaskProperties"});
    EXPECT_EQ(tasks[0].Source, "/srv/early.bin");
    EXPECT_EQ(tasks[1].Source, "/srv/asked.bin");
    EXPECT_EQ(tasks[2].Source, odd.toStdString());
    for (int i = 0; i < tasks.Count(); ++i) {
        EXPECT_EQ(tasks[i].Destination, folder.toStdString());
        EXPECT_EQ(tasks[i].State(), stateStopped);
    }
    automation.SetWindow(nullptr);
}

// The program itself: registered with --regserver, started by the bus on the first call,
// staying open after it, and adding the call's paths to its list.
TEST_F(AutomationServerTest, ACallStartsTheRegisteredProgramWhichStaysAndAddsThePaths)
{
    const std::string home = Temp.File("home");
    const std::string runtime = Temp.File("run");
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", QString::fromStdString(home));
    environment.insert("XDG_DATA_HOME", QString::fromStdString(Bus_->DataHome()));
    environment.insert("XDG_CONFIG_HOME", QString::fromStdString(home + "/.config"));
    environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromStdString(Bus_->Address()));
    const auto run = [&](const char* argument) {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QUORVEX_PROGRAM, {argument});
        return program.waitForFinished(10000) && program.exitStatus() == QProcess::NormalExit
               && program.exitCode() == 0;
    };
    const std::string serviceFile = Bus_->ServicesFolder() + "/org.velmora.Quorvex.service";
    ASSERT_TRUE(run("--regserver"));
    ASSERT_TRUE(fs::exists(serviceFile));

    // What the bus hands the programs it starts.
    using TEnvironment = QMap<QString, QString>;
    qDBusRegisterMetaType<TEnvironment>();
    TEnvironment activation;
    for (const char* name :
         {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS"})
        activation.insert(name, environment.value(name));
    QDBusMessage update = QDBusMessage::createMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                                         "org.freedesktop.DBus", "UpdateActivationEnvironment");
    update.setArguments({QVariant::fromValue(activation)});
    const QDBusMessage updated = Client.call(update);
    ASSERT_NE(updated.type(), QDBusMessage::ErrorMessage) << updated.errorMessage().toStdString();
    Client.call(QDBusMessage::createMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                               "ReloadConfig"));

    const QString folder = QString::fromStdString(Temp.File("out"));
    QDBusPendingCall call = Send(Client, "AddFilesSilent", "/srv/started.bin\r\n", folder);
    ASSERT_TRUE(Answered(call, 30000)) << call.error().message().toStdString();
    const uint pid = Client.interface()->servicePid(kAutomationService);
    ASSERT_GT(pid, 0u);
    // A test that fails on the way leaves no program behind.
    struct TStarted {
        pid_t Pid;
        ~TStarted()
        {
            if (Pid > 0)
                ::kill(Pid, SIGKILL);
        }
    } started{pid_t(pid)};
    // Still there after the call, serving the next one.
    QDBusPendingCall next = Send(Client, "AddFilesSilent", "/srv/next.bin\r\n", folder);
    ASSERT_TRUE(Answered(next));
    EXPECT_EQ(Client.interface()->servicePid(kAutomationService).value(), pid);

    // Ended as the session ends it, the program saves its list.
    ::kill(pid_t(pid), SIGTERM);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Client.interface()->isServiceRegistered(kAutomationService); }, 20000));
    started.Pid = 0;
    const std::string list = Bus_->DataHome() + "/Velmora/Quorvex/default.qtl";
    ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(list); }, 5000));
    const std::string saved = ReadFileBytes(list);
    EXPECT_NE(saved.find("/srv/started.bin"), std::string::npos) << saved;
    EXPECT_NE(saved.find("/srv/next.bin"), std::string::npos) << saved;

    ASSERT_TRUE(run("--unregserver"));
    EXPECT_FALSE(fs::exists(serviceFile));
}

}  // namespace
