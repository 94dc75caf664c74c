#include "tasks/qt/InputBoxDlg.h"

#include "ui_InputBoxDlg.h"

#include "core/MessageCatalogue.h"

TInputBoxDlg::TInputBoxDlg(const std::string& caption, const std::string& prompt, const std::string& text,
                           QWidget* parent)
    : QDialog(parent), Ui_(std::make_unique<Ui::InputBoxDlg>())
{
    Ui_->setupUi(this);
    setWindowTitle(QString::fromStdString(caption));
    Ui_->lblPrompt->setText(QString::fromStdString(prompt));
    Ui_->btnOK->setText(QString::fromStdString(Translate("SMsgDlgOK")));
    Ui_->btnCancel->setText(QString::fromStdString(Translate("SMsgDlgCancel")));
    Ui_->edText->setText(QString::fromStdString(text));
    Ui_->edText->selectAll();
    Ui_->edText->setFocus();
}

TInputBoxDlg::~TInputBoxDlg() = default;

std::string TInputBoxDlg::Text() const
{
    return Ui_->edText->text().toStdString();
}
