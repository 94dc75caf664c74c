#include "tasks/qt/DlgAskAlraedyInDisk.h"

#include "ui_DlgAskAlraedyInDisk.h"

#include "tasks/qt/DialogShow.h"

TDlgAskAlraedyInDisk::TDlgAskAlraedyInDisk(TExistingFileDialogModel& model, QWidget* parent)
    : QDialog(parent), Model_(model), Ui_(std::make_unique<Ui::DlgAskAlraedyInDisk>())
{
    Ui_->setupUi(this);
    ShowStandardIcon(*Ui_->imgIcon, QStyle::SP_MessageBoxQuestion);
    Ui_->edRename->setText(QString::fromStdString(Model_.Name));
    Ui_->cbRemember->setChecked(Model_.Remember);
    Choose(Ui_->rbRename, efRename);
    Choose(Ui_->rbAddTo, efAddTo);
    Choose(Ui_->rbOverwrite, efOverwrite);
    Choose(Ui_->rbStop, efStop);
    ShowEnabled();
    connect(Ui_->edRename, &QLineEdit::textChanged, this, [this](const QString& text) {
        Model_.Name = text.toStdString();
        ShowEnabled();
    });
    connect(Ui_->cbRemember, &QCheckBox::toggled, this, [this](bool ticked) { Model_.Remember = ticked; });
    connect(Ui_->btnOK, &QPushButton::clicked, this, &QDialog::accept);
    Countdown_ = new TQtDialogCountdown(*this, *Ui_->btnOK, Model_.Countdown);
}

TDlgAskAlraedyInDisk::~TDlgAskAlraedyInDisk() = default;

// Binds a radio button to its decision.
void TDlgAskAlraedyInDisk::Choose(QRadioButton* button, TExistingFileDecision decision)
{
    button->setChecked(Model_.Decision == decision);
    connect(button, &QRadioButton::toggled, this, [this, decision](bool checked) {
        if (checked)
            Model_.Decision = decision;
        ShowEnabled();
    });
}

void TDlgAskAlraedyInDisk::ShowEnabled()
{
    Ui_->edRename->setEnabled(Model_.NameEnabled());
    Ui_->btnOK->setEnabled(Model_.OkEnabled());
}
