#pragma once

#include "tasks/ExistingFileDialogModel.h"
#include "tasks/qt/QtDialogCountdown.h"

#include <QDialog>

#include <memory>

class QRadioButton;

namespace Ui {
class DlgAskAlraedyInDisk;
}

// The timed question about a destination file that is there already: rename the copy,
// add to the file, overwrite it or stop the task. The model follows the widgets; after OK
// the caller takes the answer from it.
class TDlgAskAlraedyInDisk : public QDialog {
    Q_OBJECT

public:
    explicit TDlgAskAlraedyInDisk(TExistingFileDialogModel& model, QWidget* parent = nullptr);
    ~TDlgAskAlraedyInDisk() override;

    TQtDialogCountdown& Countdown() { return *Countdown_; }

private:
    void Choose(QRadioButton* button, TExistingFileDecision decision);
    void ShowEnabled();

    TExistingFileDialogModel& Model_;
    std::unique_ptr<Ui::DlgAskAlraedyInDisk> Ui_;
    TQtDialogCountdown* Countdown_;
};
