#include "tasks/qt/DialogShow.h"

#include <QDialog>
#include <QLabel>
#include <QScreen>
#include <QTimer>

int ExecCentred(QDialog& dialog, QWidget* owner)
{
    dialog.adjustSize();
    const QWidget* window = owner ? owner->window() : nullptr;
    const QRect area = window && window->isVisible() ? window->frameGeometry()
                       : dialog.screen()                 ? dialog.screen()->availableGeometry()
                                                         : QRect();
    if (area.isValid())
        dialog.move(area.center() - dialog.rect().center());
    // In front once shown, also when the program is not the active one (a worker asks).
    QTimer::singleShot(0, &dialog, [&dialog] {
        dialog.raise();
        dialog.activateWindow();
    });
    return dialog.exec();
}

void ShowStandardIcon(QLabel& label, QStyle::StandardPixmap icon)
{
    const int size = label.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &label);
    label.setPixmap(label.style()->standardIcon(icon, nullptr, &label).pixmap(size, size));
    label.setAlignment(Qt::AlignTop);
}
