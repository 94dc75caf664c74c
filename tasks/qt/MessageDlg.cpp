#include "tasks/qt/MessageDlg.h"

#include "ui_MessageDlg.h"

#include "core/MessageCatalogue.h"
#include "tasks/MessageDlgModel.h"
#include "tasks/qt/DialogShow.h"
#include "tasks/qt/OwnClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QShortcut>

namespace {

QStyle::StandardPixmap IconOf(TMessageKind kind)
{
    switch (kind) {
    case TMessageKind::Warning: return QStyle::SP_MessageBoxWarning;
    case TMessageKind::Error: return QStyle::SP_MessageBoxCritical;
    case TMessageKind::Information: return QStyle::SP_MessageBoxInformation;
    case TMessageKind::Confirmation: break;
    }
    return QStyle::SP_MessageBoxQuestion;
}

QString ButtonName(TModalResult result)
{
    switch (result) {
    case TModalResult::OK: return "btnOK";
    case TModalResult::Cancel: return "btnCancel";
    case TModalResult::Yes: return "btnYes";
    case TModalResult::No: return "btnNo";
    case TModalResult::Abort: return "btnAbort";
    case TModalResult::NoToAll: break;
    }
    return "btnNoToAll";
}

}  // namespace

TMessageDlg::TMessageDlg(const std::string& text, TMessageKind kind, unsigned buttons, bool withCheck, QWidget* parent)
    : QDialog(parent), Ui_(std::make_unique<Ui::MessageDlg>()), Escape_(MessageDlgEscape(buttons)),
      Result_(Escape_.value_or(TModalResult::Cancel)), Text_(text)
{
    Ui_->setupUi(this);
    setWindowTitle(QString::fromStdString(MessageDlgCaption(kind)));
    ShowStandardIcon(*Ui_->imgIcon, IconOf(kind));
    Ui_->lblMessage->setText(QString::fromStdString(text));
    Ui_->cbDontShowAgain->setText(QString::fromStdString(Translate("sDontShowAgain")));
    Ui_->cbDontShowAgain->setVisible(withCheck);

    const std::optional<TModalResult> byDefault = MessageDlgDefault(buttons);
    int at = Ui_->layButtons->count() - 1;  // before the right spacer
    for (const TMessageDlgButton& button : MessageDlgButtons(buttons)) {
        const TModalResult result = button.Result;
        auto* push = new QPushButton(QString::fromStdString(button.Caption), this);
        push->setObjectName(ButtonName(result));
        Ui_->layButtons->insertWidget(at++, push);
        Buttons_[result] = push;
        connect(push, &QPushButton::clicked, this, [this, result] {
            Result_ = result;
            done(QDialog::Accepted);
        });
        if (byDefault == result) {
            push->setDefault(true);
            push->setFocus();
        }
    }
    auto* copy = new QShortcut(QKeySequence::Copy, this);
    connect(copy, &QShortcut::activated, this, &TMessageDlg::CopyToClipboard);
}

TMessageDlg::~TMessageDlg() = default;

bool TMessageDlg::Checked() const
{
    return Ui_->cbDontShowAgain->isChecked();
}

QPushButton* TMessageDlg::Button(TModalResult result) const
{
    const auto found = Buttons_.find(result);
    return found != Buttons_.end() ? found->second : nullptr;
}

void TMessageDlg::CopyToClipboard()
{
    QApplication::beep();
    std::vector<std::string> captions;
    for (int i = 0; i < Ui_->layButtons->count(); ++i) {
        if (const auto* push = qobject_cast<QPushButton*>(Ui_->layButtons->itemAt(i)->widget()))
            captions.push_back(push->text().toStdString());
    }
    SetOwnClipboardText(QString::fromStdString(MessageDlgCopyText(windowTitle().toStdString(), Text_, captions)));
}

void TMessageDlg::reject()
{
    if (!Escape_)
        return;
    Result_ = *Escape_;
    QDialog::reject();
}
