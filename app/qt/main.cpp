#include "app/DataFiles.h"
#include "app/qt/QuitOnSignal.h"
#include "app/qt/QuorvexForm.h"
#include "app/qt/ScreenshotOnStart.h"
#include "app/qt/SingleInstance.h"
#include "app/qt/SplashScreen.h"
#include "config/LangChanger.h"
#include "config/Language.h"
#include "config/Options.h"
#include "config/OptionsFile.h"
#include "config/qt/QtLangWindow.h"
#include "core/MainThread.h"
#include "core/XMLStorage.h"
#include "tasks/qt/QtDesktop.h"
#include "tasks/qt/QtMessageBoxes.h"

#include <QApplication>
#include <QTimer>

#include <memory>

namespace {

constexpr int kSplashTime = 1000;  // milliseconds

}  // namespace

int main(int argc, char** argv)
{
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
    LoadOptions(optionsFile, Options(), NoSystemIntegration());
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
        QObject::connect(&form, &TQuorvexForm::Closed, [] { QApplication::exit(0); });
        QTimer::singleShot(kSplashTime, [&splash] { splash.reset(); });
        ScreenshotOnStart(form);
        status = QApplication::exec();
        splash.reset();
    }
    // Last, so that everything the window stored on its way out reaches the file.
    SaveOptions(optionsFile, Options());
    return status;
}
