#pragma once

#include "tasks/DialogCountdown.h"

#include <QDialog>

#include <memory>

class TLangChanger;
class TQtDialogCountdown;

namespace Ui {
class dlgCompleteAll;
}

// The warning before the completion action: OK counts the seconds down and answers by
// itself when they are over; Cancel leaves everything as it is.
class TdlgCompleteAll : public QDialog {
    Q_OBJECT
public:
    explicit TdlgCompleteAll(int seconds, QWidget* parent = nullptr);
    ~TdlgCompleteAll() override;

    TQtDialogCountdown& Countdown() { return *Countdown_; }

private:
    std::unique_ptr<Ui::dlgCompleteAll> Ui_;
    TDialogCountdown Seconds_;
    TQtDialogCountdown* Countdown_;
};

// Shows the warning centred on owner, translated; true for OK, pressed or timed out.
bool ConfirmCompletion(QWidget* owner, const TLangChanger& language, int seconds);
