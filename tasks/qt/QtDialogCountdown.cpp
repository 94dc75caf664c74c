#include "tasks/qt/QtDialogCountdown.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>

TQtDialogCountdown::TQtDialogCountdown(QDialog& dialog, QAbstractButton& okButton, TDialogCountdown& countdown,
                                       std::function<bool()> busy)
    : QObject(&dialog), Dialog_(dialog), OkButton_(okButton), Countdown_(countdown), Busy_(std::move(busy))
{
    Timer_.setInterval(1000);
    connect(&Timer_, &QTimer::timeout, this, &TQtDialogCountdown::Tick);
    // An answered dialog answers nothing more.
    connect(&dialog, &QDialog::finished, &Timer_, &QTimer::stop);
    Timer_.start();
}

bool TQtDialogCountdown::Held() const
{
    const QWidget* front = QApplication::activeModalWidget();
    return (front && front != &Dialog_) || !OkButton_.isEnabled() || (Busy_ && Busy_());
}

void TQtDialogCountdown::Tick()
{
    if (Countdown_.Tick(Held())) {
        Timer_.stop();
        OkButton_.click();
        return;
    }
    if (!Countdown_.OkCaption().empty())
        OkButton_.setText(QString::fromStdString(Countdown_.OkCaption()));
}
