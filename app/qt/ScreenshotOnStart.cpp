#include "app/qt/ScreenshotOnStart.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace {

constexpr int kSettleTime = 2500;  // milliseconds: the lists fill and a few ticks run

}  // namespace

void ScreenshotOnStart(QWidget& window)
{
    const QString file = qEnvironmentVariable("QUORVEX_SCREENSHOT");
    if (file.isEmpty())
        return;
    QTimer::singleShot(kSettleTime, &window, [&window, file] {
        QScreen* screen = window.screen();
        // From the screen, as the user sees it; a platform without one renders the widget.
        QPixmap shot = screen ? screen->grabWindow(window.winId()) : QPixmap();
        if (shot.isNull())
            shot = window.grab();
        if (!shot.save(file, "PNG"))
            std::fprintf(stderr, "quorvex: cannot write %s\n", qPrintable(file));
        QApplication::exit(0);
    });
}
