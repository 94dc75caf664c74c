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
        static int argc = 1;
        static char name[] = "qt_tests";
        static char* argv[] = {name, nullptr};
        App_ = new QApplication(argc, argv);
    }
    void TearDown() override { delete App_; }

private:
    QApplication* App_ = nullptr;
};

const auto* const kGuiTestApp = ::testing::AddGlobalTestEnvironment(new TGuiTestApp);

}  // namespace
