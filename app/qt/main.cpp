#include "app/AutomationServer.h"
#include "app/DataFiles.h"
#include "app/DesktopIntegration.h"
#include "app/qt/QuitOnSignal.h"
#include "app/qt/QuorvexCom.h"
#include "app/qt/QuorvexForm.h"
#include "app/qt/ScreenshotOnStart.h"
#include "app/qt/SingleInstance.h"
#include "app/qt/SplashScreen.h"
#include "config/LangChanger.h"
#include "config/Language.h"
#include "config/Options.h"
#include "config/OptionsFile.h"
#include "config/qt/QtLangWindow.h"
#include "core/AppFolders.h"
#include "core/MainThread.h"
#include "core/XMLStorage.h"
#include "tasks/qt/QtDesktop.h"
#include "tasks/qt/QtMessageBoxes.h"

#include <QApplication>
#include <QDBusConnection>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

constexpr int kSplashTime = 1000;  // milliseconds

// --regserver and --unregserver write or remove the bus's activation file and end, with
// no window and no display needed: an installer may run them. They do not touch the
// running instance, which keeps serving.
int RegisterOrUnregister(TServerStartMode mode)
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const std::string file = ServiceFilePath(dataHome ? dataHome : "", HomeFolder());
    std::string reason;
    const bool done = mode == TServerStartMode::Register ? RegisterServer(file, ProgramPath(), reason)
                                                         : UnregisterServer(file, reason);
    if (!done)
        std::fprintf(stderr, "quorvex: %s\n", reason.c_str());
    return done ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const TServerStartMode startMode = ServerStartMode(std::vector<std::string>(argv + 1, argv + argc));
    if (startMode == TServerStartMode::Register || startMode == TServerStartMode::Unregister)
        return RegisterOrUnregister(startMode);

    QApplication app(argc, argv);
    QApplication::setApplicationName("Quorvex");
    QApplication::setOrganizationName("Velmora");
    // Ties the windows to the installed launcher entry: its icon and name in docks and task bars.
    QApplication::setDesktopFileName("org.velmora.Quorvex");
    // The window hides in the tray; only the exit command ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QuitOnSignals();
    // Only this exact first argument starts in the tray without the splash.
    const bool minimizeArgument = argc > 1 && QString::fromLocal8Bit(argv[1]) == "-minimize";

    TQtMessageBoxes boxes(nullptr);
    const TDataFiles files = LocateDataFiles();
    TXMLStorage optionsFile(files.Options, boxes);
    TDesktopIntegration integration(SessionIntegrationPlaces(ProgramPath()), boxes);
    LoadOptions(optionsFile, Options(), integration);
    TLangChanger language;
    // Read once here already, so that the splash speaks the user's language too.
    LoadLanguage(language);

    TSingleInstance instance;
    if (!instance.Register()) {
        if (!instance.ErrorText().empty()) {
            boxes.ShowErrorBox("Quorvex", instance.ErrorText());
            return 1;
        }
        return instance.RaiseFirst() ? 0 : 1;
    }

    // Only the first instance serves the bus: a start by the bus (--automation or
    // --embedding) is an ordinary start otherwise, with its splash and its window, and
    // stays open after the call. Without a session bus the program runs on without it.
    TQuorvexCom automation;
    QDBusConnection sessionBus = QDBusConnection::sessionBus();
    if (!automation.Register(sessionBus))
        std::fprintf(stderr, "quorvex: no automation service: %s\n", qPrintable(automation.ErrorText()));

    TQtDesktop desktop;
    std::unique_ptr<TSplashScreen> splash;
    if (!minimizeArgument && Options().ShowSplashScreen) {
        splash = std::make_unique<TSplashScreen>(desktop);
        TranslateQtForm(language, *splash);
        splash->show();
        QApplication::processEvents();
    }

    TMainThread mainThread;
    int status = 0;
    {
        TQuorvexForm form(mainThread, language, files, minimizeArgument || Options().StartMinimized);
        if (!form.HiddenInTray())
            form.show();
        QObject::connect(&instance, &TSingleInstance::RaiseRequested, &form, &TQuorvexForm::ShowWindow);
        automation.SetWindow(&form);
        QObject::connect(&form, &TQuorvexForm::Closed, [] { QApplication::exit(0); });
        QTimer::singleShot(kSplashTime, [&splash] { splash.reset(); });
        ScreenshotOnStart(form);
        status = QApplication::exec();
        automation.SetWindow(nullptr);
        splash.reset();
    }
    // Last, so that everything the window stored on its way out reaches the file.
    SaveOptions(optionsFile, Options());
    return status;
}
