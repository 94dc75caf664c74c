#pragma once

#include "tasks/DuplicateDialogModel.h"
#include "tasks/qt/QtDialogCountdown.h"

#include <QDialog>

#include <memory>

namespace Ui {
class DLGAskDestinationAlreadyInList;
}

// The timed question about a task that the list holds already: rename it or do not add
// it. The model follows the widgets; after OK the caller takes the answer from it.
class TDLGAskDestinationAlreadyInList : public QDialog {
    Q_OBJECT

public:
    explicit TDLGAskDestinationAlreadyInList(TDuplicateDialogModel& model, QWidget* parent = nullptr);
    ~TDLGAskDestinationAlreadyInList() override;

    TQtDialogCountdown& Countdown() { return *Countdown_; }

private:
    void ShowEnabled();

    TDuplicateDialogModel& Model_;
    std::unique_ptr<Ui::DLGAskDestinationAlreadyInList> Ui_;
    TQtDialogCountdown* Countdown_;
};
