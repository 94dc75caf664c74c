#include "app/qt/ScreenshotOnStart.h"

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace {

constexpr int kSettleTime = 2500;  // milliseconds: the lists fill and a few ticks run
constexpr int kCommandTime = 1000;

}  // namespace

void ScreenshotOnStart(QWidget& window)
{
    const QString file = qEnvironmentVariable("QUORVEX_SCREENSHOT");
    if (file.isEmpty())
        return;
    // A command of the window to run first ("actShowHistory", "actOptions" ...): the shot
    // shows the page or the dialog it brings up.
    const QString command = qEnvironmentVariable("QUORVEX_SCREENSHOT_COMMAND");
    if (auto* action = command.isEmpty() ? nullptr : window.findChild<QAction*>(command))
        QTimer::singleShot(kCommandTime, action, &QAction::trigger);
    QTimer::singleShot(kSettleTime, &window, [&window, file] {
        QWidget* shown = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : &window;
        QScreen* screen = shown->screen();
        // From the screen, as the user sees it; a platform without one renders the widget.
        QPixmap shot = screen ? screen->grabWindow(shown->winId()) : QPixmap();
        if (shot.isNull())
            shot = shown->grab();
        if (!shot.save(file, "PNG"))
            std::fprintf(stderr, "quorvex: cannot write %s\n", qPrintable(file));
        QApplication::exit(0);
    });
}
