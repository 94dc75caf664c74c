#include "support/TempDir.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

// One QApplication for every GUI test, on the offscreen platform unless told otherwise.
class TGuiTestApp : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // The session's settings that the program reads and writes (autostart entry, file
        // managers' entries) lie in folders of the tests' own, never in the user's.
        Session_ = new TTempDir;
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(Session_->File("config")));
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(Session_->File("data")));
        static int argc = 1;
        static char name[] = "qt_tests";
        static char* argv[] = {name, nullptr};
        App_ = new QApplication(argc, argv);
    }
    void TearDown() override
    {
        delete App_;
        delete Session_;
    }

private:
    QApplication* App_ = nullptr;
    TTempDir* Session_ = nullptr;
};

const auto* const kGuiTestApp = ::testing::AddGlobalTestEnvironment(new TGuiTestApp);

}  // namespace
