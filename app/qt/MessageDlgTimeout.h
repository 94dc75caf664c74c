#pragma once

#include "config/LangChanger.h"
#include "tasks/DialogCountdown.h"
#include "tasks/qt/QtDialogCountdown.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace Ui {
class MessageDlgTimeout;
}

// A question that answers OK by itself when nobody answers within its time: the text, OK
// counting down the seconds, Cancel, and "do not show this dialog again". kind 0 to 3 give
// the icon of a warning, an error, information or a confirmation; 4 gives none.
class TMessageDlgTimeout : public QDialog {
    Q_OBJECT

public:
    TMessageDlgTimeout(const std::string& caption, const std::string& text, int timeoutSeconds, int kind,
                       std::function<bool()> busy = {}, QWidget* parent = nullptr);
    ~TMessageDlgTimeout() override;

    TQtDialogCountdown& Countdown() { return *Countdown_; }
    bool DoNotShowInFuture() const;

private:
    std::unique_ptr<Ui::MessageDlgTimeout> Ui_;
    TDialogCountdown Seconds_;
    TQtDialogCountdown* Countdown_;
};

// Asks to confirm with a timeout: true at once while dontAskFlag is true; otherwise true
// for OK, pressed or timed out, and then dontAskFlag takes the check box. Without a
// caption the kind gives one (none for 4). The countdown stands still while another
// modal window is in front of the question and while busy says the program is busy (the
// task list being saved, say), so that it never answers for a user who cannot see it.
bool ConfirmWithTimeout(QWidget* owner, const TLangChanger& language, const std::string& caption,
                        const std::string& text, int timeoutSeconds, bool& dontAskFlag, int kind,
                        std::function<bool()> busy = {});
