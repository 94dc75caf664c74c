#pragma once

#include "tasks/TaskDialogModel.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

namespace Ui {
class DlgTaskProperties;
}

// The task dialog, for a new task or an existing one. It shows a TTaskDialogModel, tells it
// every change that its rules depend on, and on OK hands it the values of the widgets; the
// caller then takes the answer with the model's Accept.
class TDlgTaskProperties : public QDialog {
    Q_OBJECT

public:
    // priorityCaptions: the texts of the priority list, lowest priority first.
    TDlgTaskProperties(TTaskDialogModel& model, const std::vector<std::string>& priorityCaptions,
                       QWidget* parent = nullptr);
    ~TDlgTaskProperties() override;

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowEnabled();
    void BrowseSource();
    void BrowseDestination();

    TTaskDialogModel& Model_;
    std::unique_ptr<Ui::DlgTaskProperties> Ui_;
};
