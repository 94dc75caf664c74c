#include "app/qt/MessageDlgTimeout.h"

#include "ui_MessageDlgTimeout.h"

#include "config/qt/QtLangWindow.h"
#include "tasks/MessageDlgModel.h"
#include "tasks/qt/DialogShow.h"

TMessageDlgTimeout::TMessageDlgTimeout(const std::string& caption, const std::string& text, int timeoutSeconds,
                                       int kind, std::function<bool()> busy, QWidget* parent)
    : QDialog(parent), Ui_(std::make_unique<Ui::MessageDlgTimeout>()), Seconds_(timeoutSeconds)
{
    Ui_->setupUi(this);
    setWindowTitle(QString::fromStdString(caption.empty() ? MessageDlgCaption(kind) : caption));
    static const QStyle::StandardPixmap kIcons[] = {QStyle::SP_MessageBoxWarning, QStyle::SP_MessageBoxCritical,
                                                    QStyle::SP_MessageBoxInformation, QStyle::SP_MessageBoxQuestion};
    if (kind >= 0 && kind < int(std::size(kIcons)))
        ShowStandardIcon(*Ui_->imgIcon, kIcons[kind]);
    else
        Ui_->imgIcon->hide();
    Ui_->lblInfo->setText(QString::fromStdString(text));
    Countdown_ = new TQtDialogCountdown(*this, *Ui_->btnOK, Seconds_, std::move(busy));
}

TMessageDlgTimeout::~TMessageDlgTimeout() = default;

bool TMessageDlgTimeout::DoNotShowInFuture() const
{
    return Ui_->cbDoNotShowInFuture->isChecked();
}

bool ConfirmWithTimeout(QWidget* owner, const TLangChanger& language, const std::string& caption,
                        const std::string& text, int timeoutSeconds, bool& dontAskFlag, int kind,
                        std::function<bool()> busy)
{
    if (dontAskFlag)
        return true;
    TMessageDlgTimeout dialog(caption, text, timeoutSeconds, kind, std::move(busy), owner);
    TranslateQtForm(language, dialog);
    if (ExecCentred(dialog, owner) != QDialog::Accepted)
        return false;
    dontAskFlag = dialog.DoNotShowInFuture();
    return true;
}
