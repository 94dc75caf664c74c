#pragma once

#include "tasks/DialogCountdown.h"

#include <QObject>
#include <QTimer>

#include <functional>

class QAbstractButton;
class QDialog;

// Drives the countdown of a timed dialog with a one-second timer: the OK button shows the
// seconds left, and when the time is up OK is pressed for the user. The time stands still
// while another modal window is in front of the dialog, while OK is disabled, and while
// busy (when given) says the program is busy.
class TQtDialogCountdown : public QObject {
    Q_OBJECT

public:
    TQtDialogCountdown(QDialog& dialog, QAbstractButton& okButton, TDialogCountdown& countdown,
                       std::function<bool()> busy = {});

    const QTimer& Timer() const { return Timer_; }

public slots:
    // One beat of the timer; tests call it instead of waiting.
    void Tick();

private:
    bool Held() const;

    QDialog& Dialog_;
    QAbstractButton& OkButton_;
    TDialogCountdown& Countdown_;
    std::function<bool()> Busy_;
    QTimer Timer_;
};
