#include "app/qt/dlgCompleteOptions.h"

#include "ui_dlgCompleteOptions.h"

#include "config/qt/QtLangWindow.h"
#include "tasks/qt/DialogShow.h"

TdlgCompleteOptions::TdlgCompleteOptions(const TCompletionSettings& settings, QWidget* parent)
    : QDialog(parent), Ui_(std::make_unique<Ui::dlgCompleteOptions>())
{
    Ui_->setupUi(this);
    for (const std::string& name : CompletionActionNames())
        Ui_->cmbAction->addItem(QString::fromStdString(name));
    Ui_->cmbAction->setCurrentIndex(settings.Action >= 0 && settings.Action < kCompletionActionCount ? settings.Action
                                                                                                     : -1);
    Ui_->cbShowWarning->setChecked(settings.ShowWarning);
    Ui_->edTimeout->setValue(settings.WarningSeconds);
    for (QWidget* widget : {static_cast<QWidget*>(Ui_->edTimeout), static_cast<QWidget*>(Ui_->lblTimeout),
                            static_cast<QWidget*>(Ui_->lblSeconds)})
        widget->setEnabled(settings.ShowWarning);
    Ui_->cbForce->setChecked(settings.Force);
}

TdlgCompleteOptions::~TdlgCompleteOptions() = default;

TCompletionSettings TdlgCompleteOptions::Settings() const
{
    return {Ui_->cbShowWarning->isChecked(), Ui_->cmbAction->currentIndex(), Ui_->edTimeout->value(),
            Ui_->cbForce->isChecked()};
}

bool EditCompletionOptions(QWidget* owner, const TLangChanger& language, TCompletionSettings& settings)
{
    TdlgCompleteOptions dialog(settings, owner);
    TranslateQtForm(language, dialog);
    if (ExecCentred(dialog, owner) != QDialog::Accepted)
        return false;
    settings = dialog.Settings();
    return true;
}
