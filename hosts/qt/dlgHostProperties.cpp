#include "hosts/qt/dlgHostProperties.h"

#include "tasks/qt/TaskImages.h"

#include "ui_dlgHostProperties.h"

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

TdlgHostProperties::TdlgHostProperties(THostForm& form, QWidget* parent)
    : QDialog(parent), Form_(form), Ui_(std::make_unique<Ui::dlgHostProperties>())
{
    Ui_->setupUi(this);
    Ui_->pcHost->setCurrentWidget(Ui_->tsGeneral);
    Ui_->edName->setText(Q(Form_.Name));
    Ui_->edAddress->setText(Q(Form_.Address));
    Ui_->mmDescription->setPlainText(Q(Form_.Description));
    Ui_->cbTemporaryHost->setChecked(Form_.Temporary);
    Ui_->edMaxConnections->setRange(kMinHostConnections, kMaxHostConnections);
    Ui_->edMaxConnections->setValue(Form_.MaxConnections);
    Ui_->cbMaxConnections->setChecked(Form_.Unlimited);
    for (int priority = 0; priority < kTrafficPriorityCount; ++priority)
        Ui_->cmbTraffik->addItem(PriorityIcon(TTrafficPriority(priority)),
                                 std::size_t(priority) < Form_.PriorityCaptions.size()
                                     ? Q(Form_.PriorityCaptions[std::size_t(priority)])
                                     : QString::number(priority));
    Ui_->cmbTraffik->setCurrentIndex(Form_.Priority);
    Ui_->cbLoginToServer->setChecked(Form_.LoginToServer);
    Ui_->edUserLogin->setText(Q(Form_.UserLogin));
    Ui_->edUserPassword->setText(Q(Form_.UserPassword));
    ShowEnabled();

    connect(Ui_->edName, &QLineEdit::textChanged, this, &TdlgHostProperties::ShowEnabled);
    connect(Ui_->edAddress, &QLineEdit::textChanged, this, &TdlgHostProperties::ShowEnabled);
    connect(Ui_->cbMaxConnections, &QCheckBox::toggled, this, &TdlgHostProperties::ShowEnabled);
    connect(Ui_->cbLoginToServer, &QCheckBox::toggled, this, &TdlgHostProperties::ShowEnabled);
    connect(Ui_->btnOK, &QPushButton::clicked, this, &TdlgHostProperties::accept);
}

TdlgHostProperties::~TdlgHostProperties() = default;

THostForm TdlgHostProperties::Typed() const
{
    THostForm typed = Form_;
    typed.Name = Ui_->edName->text().toStdString();
    typed.Address = Ui_->edAddress->text().toStdString();
    typed.Description = Ui_->mmDescription->toPlainText().toStdString();
    typed.Temporary = Ui_->cbTemporaryHost->isChecked();
    typed.Unlimited = Ui_->cbMaxConnections->isChecked();
    typed.MaxConnections = Ui_->edMaxConnections->value();
    if (Ui_->cmbTraffik->currentIndex() >= 0)
        typed.Priority = TTrafficPriority(Ui_->cmbTraffik->currentIndex());
    typed.LoginToServer = Ui_->cbLoginToServer->isChecked();
    typed.UserLogin = Ui_->edUserLogin->text().toStdString();
    typed.UserPassword = Ui_->edUserPassword->text().toStdString();
    return typed;
}

void TdlgHostProperties::ShowEnabled()
{
    const bool login = Ui_->cbLoginToServer->isChecked();
    for (QWidget* widget : {static_cast<QWidget*>(Ui_->lblUserLogin), static_cast<QWidget*>(Ui_->edUserLogin),
                            static_cast<QWidget*>(Ui_->lblUserPassword), static_cast<QWidget*>(Ui_->edUserPassword)})
        widget->setEnabled(login);
    Ui_->edMaxConnections->setEnabled(!Ui_->cbMaxConnections->isChecked());
    Ui_->btnOK->setEnabled(Typed().CanConfirm());
}

void TdlgHostProperties::accept()
{
    const THostForm typed = Typed();
    if (!typed.CanConfirm())
        return;
    Form_ = typed;
    QDialog::accept();
}
