#include "app/qt/dlgCompleteAll.h"

#include "ui_dlgCompleteAll.h"

#include "config/qt/QtLangWindow.h"
#include "tasks/qt/DialogShow.h"
#include "tasks/qt/QtDialogCountdown.h"

TdlgCompleteAll::TdlgCompleteAll(int seconds, QWidget* parent)
    : QDialog(parent), Ui_(std::make_unique<Ui::dlgCompleteAll>()), Seconds_(seconds)
{
    Ui_->setupUi(this);
    ShowStandardIcon(*Ui_->imgIcon, QStyle::SP_MessageBoxQuestion);
    Countdown_ = new TQtDialogCountdown(*this, *Ui_->btnOK, Seconds_);
}

TdlgCompleteAll::~TdlgCompleteAll() = default;

bool ConfirmCompletion(QWidget* owner, const TLangChanger& language, int seconds)
{
    TdlgCompleteAll dialog(seconds, owner);
    TranslateQtForm(language, dialog);
    return ExecCentred(dialog, owner) == QDialog::Accepted;
}
