#include "MenuRun.h"
#include "support/PrivateBus.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QProcess>
#include <QThread>

#include <filesystem>
#include <mutex>

namespace {

// Stands in for the program's automation object on a private bus: records each call as
// "Method|files|folder", and refuses them while told to.
class TQuorvexStandIn : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.velmora.Quorvex.IQuorvexCom")

public:
    std::vector<std::string> Calls()
    {
        std::lock_guard guard(Lock_);
        return Calls_;
    }
    void Reset(bool refuse)
    {
        std::lock_guard guard(Lock_);
        Calls_.clear();
        Refuse_ = refuse;
    }

public slots:
    void AddFiles(const QString& files, const QString& folder) { Record("AddFiles", files, folder); }
    void AddFilesSilent(const QString& files, const QString& folder) { Record("AddFilesSilent", files, folder); }

private:
    void Record(const char* method, const QString& files, const QString& folder)
    {
        std::lock_guard guard(Lock_);
        Calls_.push_back(std::string(method) + "|" + files.toStdString() + "|" + folder.toStdString());
        if (Refuse_)
            sendErrorReply(QStringLiteral("org.freedesktop.DBus.Error.Failed"), QStringLiteral("refused"));
    }

    std::mutex Lock_;
    std::vector<std::string> Calls_;
    bool Refuse_ = false;
};

class MenuCallTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "shellext_tests";
        static char* argv[] = {name, nullptr};
        if (QCoreApplication::instance() == nullptr)
            new QCoreApplication(argc, argv);
        TPrivateBus* privateBus = TPrivateBus::Instance();
        ASSERT_NE(privateBus, nullptr) << TPrivateBus::Problem();
        Address_ = new QString(QString::fromStdString(privateBus->Address()));
        // The stand-in answers on a thread of its own while the test waits for quorvex-menu.
        Thread_ = new QThread;
        Thread_->start();
        StandIn_ = new TQuorvexStandIn;
        StandIn_->moveToThread(Thread_);
        QDBusConnection bus = QDBusConnection::connectToBus(*Address_, "quorvex-stand-in");
        ASSERT_TRUE(bus.registerObject("/QuorvexCom", StandIn_, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(bus.registerService("org.velmora.Quorvex"));
    }
    static void TearDownTestSuite()
    {
        QDBusConnection::disconnectFromBus("quorvex-stand-in");
        Thread_->quit();
        Thread_->wait();
        delete StandIn_;
        delete Thread_;
        delete Address_;
    }

    static QString* Address_;
    static QThread* Thread_;
    static TQuorvexStandIn* StandIn_;
};

QString* MenuCallTest::Address_ = nullptr;
QThread* MenuCallTest::Thread_ = nullptr;
TQuorvexStandIn* MenuCallTest::StandIn_ = nullptr;

// The selection arrives as one text of absolute paths, each line ended by CR LF: the menu
// entry asks the program for a destination, "here" copies silently into the folder.
TEST_F(MenuCallTest, HandsTheSelectionToTheProgram)
{
    TTempDir work;
    const std::string at = std::filesystem::canonical(work.Path()).string();
    struct TCase {
        QStringList Arguments;
        bool Refuse;
        int ExitCode;
        std::string Call;
    };
    // clang-format off
    const TCase cases[] = {
        {{"a", "b"}, false, 0, "AddFiles|" + at + "/a\r\n" + at + "/b\r\n|"},
        {{"--", "-dash", "file:///srv/x%20y.iso"}, false, 0, "AddFiles|" + at + "/-dash\r\n/srv/x y.iso\r\n|"},
        {{"--here", "dest", "/abs/f", "smb://nas/share/d/g"}, false, 0,
         "AddFilesSilent|/abs/f\r\n\\\\nas\\share\\d\\g\r\n|" + at + "/dest"},
        {{"--here", "file:///dest/", "ftp://host/pub/h"}, false, 0, "AddFilesSilent|ftp://host/pub/h\r\n|/dest/"},
        // A name with a line break would arrive as two other names: it stays behind, and says so.
        {{"a", "x\ny"}, false, 1, "AddFiles|" + at + "/a\r\n|"},
        // The program's refusal is no success.
        {{"a"}, true, 1, "AddFiles|" + at + "/a\r\n|"},
    };
    // clang-format on
    QProcessEnvironment environment;
    environment.insert("DBUS_SESSION_BUS_ADDRESS", *Address_);
    for (const TCase& c : cases) {
        StandIn_->Reset(c.Refuse);
        const TMenuRun run = RunMenu(c.Arguments, QString::fromStdString(at), environment);
        EXPECT_EQ(run.ExitCode, c.ExitCode) << c.Arguments.join(' ').toStdString() << ": " << run.Errors;
        EXPECT_EQ(StandIn_->Calls(), std::vector<std::string>{c.Call}) << c.Arguments.join(' ').toStdString();
        EXPECT_EQ(run.Errors.empty(), c.ExitCode == 0) << run.Errors;
    }
}

TEST(MenuCallWithoutBusTest, FailsWithAMessage)
{
    TTempDir work;
    const TMenuRun run = RunMenu({"a"}, QString::fromStdString(work.Path().string()));
    EXPECT_NE(run.ExitCode, 0);
    EXPECT_NE(run.Errors.find("no session bus"), std::string::npos) << run.Errors;
}

// When the program is not running the bus is asked to start it by its activation file; here
// the file runs a command that leaves a mark and ends without serving, which the call reports.
TEST(MenuCallActivationTest, AsksTheBusToStartTheProgram)
{
    TTempDir work;
    const std::string at = work.Path().string();
    const std::unique_ptr<TPrivateBus> bus = TPrivateBus::StartOwn();
    WriteFileBytes(bus->ServicesFolder() + "/org.velmora.Quorvex.service",
                   "[D-BUS Service]\nName=org.velmora.Quorvex\nExec=/bin/sh -c 'touch " + at + "/started; exit 3'\n");
    QProcessEnvironment environment;
    environment.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromStdString(bus->Address()));

    const TMenuRun run = RunMenu({"a"}, QString::fromStdString(at), environment);
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(std::filesystem::exists(work.Path() / "started"));
    EXPECT_NE(run.Errors.find("could not be reached or started"), std::string::npos) << run.Errors;
}

}  // namespace

#include "MenuCallTest.moc"
