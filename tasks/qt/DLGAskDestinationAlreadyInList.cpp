#include "tasks/qt/DLGAskDestinationAlreadyInList.h"

#include "ui_DLGAskDestinationAlreadyInList.h"

#include "tasks/qt/DialogShow.h"

TDLGAskDestinationAlreadyInList::TDLGAskDestinationAlreadyInList(TDuplicateDialogModel& model, QWidget* parent)
    : QDialog(parent), Model_(model), Ui_(std::make_unique<Ui::DLGAskDestinationAlreadyInList>())
{
    Ui_->setupUi(this);
    ShowStandardIcon(*Ui_->imgIcon, QStyle::SP_MessageBoxQuestion);
    Ui_->rbRename->setChecked(Model_.Rename);
    Ui_->rbNoAdd->setChecked(!Model_.Rename);
    Ui_->edRename->setText(QString::fromStdString(Model_.Path));
    Ui_->cbRemember->setChecked(Model_.Remember);
    ShowEnabled();
    connect(Ui_->rbRename, &QRadioButton::toggled, this, [this](bool checked) {
        Model_.Rename = checked;
        ShowEnabled();
    });
    connect(Ui_->edRename, &QLineEdit::textChanged, this,
            [this](const QString& text) { Model_.Path = text.toStdString(); });
    connect(Ui_->cbRemember, &QCheckBox::toggled, this, [this](bool ticked) { Model_.Remember = ticked; });
    connect(Ui_->btnOK, &QPushButton::clicked, this, &QDialog::accept);
    Countdown_ = new TQtDialogCountdown(*this, *Ui_->btnOK, Model_.Countdown);
}

TDLGAskDestinationAlreadyInList::~TDLGAskDestinationAlreadyInList() = default;

void TDLGAskDestinationAlreadyInList::ShowEnabled()
{
    Ui_->edRename->setEnabled(Model_.PathEnabled());
}
