#include "tasks/qt/DLGAskPerformDeleteIncompleteTask.h"

#include "ui_DLGAskPerformDeleteIncompleteTask.h"

#include "tasks/IncompleteTaskDialogModel.h"
#include "tasks/qt/DialogShow.h"
#include "tasks/qt/QtDialogCountdown.h"

TDLGAskPerformDeleteIncompleteTask::TDLGAskPerformDeleteIncompleteTask(TIncompleteTaskDialogModel& model,
                                                                       std::function<void()> showProperties,
                                                                       QWidget* parent)
    : QDialog(parent), Model_(model), Ui_(std::make_unique<Ui::DLGAskPerformDeleteIncompleteTask>())
{
    Ui_->setupUi(this);
    ShowStandardIcon(*Ui_->imgIcon, QStyle::SP_MessageBoxQuestion);
    Ui_->lblInfo->setText(QString::fromStdString(Model_.Info));
    Ui_->rbDelete->setChecked(Model_.DeleteFile);
    Ui_->rbLeave->setChecked(!Model_.DeleteFile);
    Ui_->cbRemember->setChecked(Model_.Remember);
    Ui_->btnProperties->setEnabled(bool(showProperties));
    connect(Ui_->rbDelete, &QRadioButton::toggled, this, [this](bool checked) { Model_.DeleteFile = checked; });
    connect(Ui_->cbRemember, &QCheckBox::toggled, this, [this](bool ticked) { Model_.Remember = ticked; });
    connect(Ui_->btnProperties, &QPushButton::clicked, this, [showProperties] { showProperties(); });
    connect(Ui_->btnOK, &QPushButton::clicked, this, &QDialog::accept);
    Countdown_ = new TQtDialogCountdown(*this, *Ui_->btnOK, Model_.Countdown);
}

TDLGAskPerformDeleteIncompleteTask::~TDLGAskPerformDeleteIncompleteTask() = default;
