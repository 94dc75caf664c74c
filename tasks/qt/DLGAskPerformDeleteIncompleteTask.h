#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class TIncompleteTaskDialogModel;
class TQtDialogCountdown;

namespace Ui {
class DLGAskPerformDeleteIncompleteTask;
}

// The timed question what becomes of the received part of a task being deleted. Its
// "properties" button calls showProperties; the countdown stands still while they are shown.
class TDLGAskPerformDeleteIncompleteTask : public QDialog {
    Q_OBJECT

public:
    TDLGAskPerformDeleteIncompleteTask(TIncompleteTaskDialogModel& model, std::function<void()> showProperties,
                                       QWidget* parent = nullptr);
    ~TDLGAskPerformDeleteIncompleteTask() override;

    TQtDialogCountdown& Countdown() { return *Countdown_; }

private:
    TIncompleteTaskDialogModel& Model_;
    std::unique_ptr<Ui::DLGAskPerformDeleteIncompleteTask> Ui_;
    TQtDialogCountdown* Countdown_;
};
