#include "hosts/qt/dlgUserAgent.h"

#include "transfer/UserAgents.h"

#include "ui_dlgUserAgent.h"

TdlgUserAgent::TdlgUserAgent(TUserAgentForm& form, QWidget* parent)
    : QDialog(parent), Ui_(std::make_unique<Ui::dlgUserAgent>()), Form_(form)
{
    Ui_->setupUi(this);
    Ui_->edName->setText(QString::fromStdString(form.Name));
    Ui_->edUserAgent->setText(QString::fromStdString(form.Agent));
    Ui_->edUserAgent->setCursorPosition(0);
}

TdlgUserAgent::~TdlgUserAgent() = default;

void TdlgUserAgent::accept()
{
    Form_.Name = Ui_->edName->text().toStdString();
    Form_.Agent = Ui_->edUserAgent->text().toStdString();
    QDialog::accept();
}
