#include "hosts/qt/dlgProxyProperties.h"

#include "ui_dlgProxyProperties.h"

#include <QRegularExpressionValidator>

TdlgProxyProperties::TdlgProxyProperties(TProxyCollection& proxies, ITaskDialogs& dialogs,
                                         ITransferSettingsDialogs& forms, QWidget* parent)
    : QDialog(parent), Ui_(std::make_unique<Ui::dlgProxyProperties>()), Proxies_(proxies),
      Editor_(proxies, dialogs, forms)
{
    Ui_->setupUi(this);
    // The parameters keep their room while there is no proxy to show.
    QSizePolicy keep = Ui_->gbParameters->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    Ui_->gbParameters->setSizePolicy(keep);
    Ui_->edPort->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,5}"), Ui_->edPort));
    for (QLineEdit* edit : {Ui_->edAddres, Ui_->edPort, Ui_->edProxyUserName, Ui_->edProxyUserPassword})
        connect(edit, &QLineEdit::textEdited, this, &TdlgProxyProperties::FieldsEdited);
    for (QCheckBox* box : {Ui_->cbUseProxyAuthentication, Ui_->cbProxyProtocolHTTP, Ui_->cbProxyProtocolFTP})
        connect(box, &QCheckBox::toggled, this, &TdlgProxyProperties::FieldsEdited);
    connect(Ui_->cmbProxies, &QComboBox::activated, this, [this](int index) {
        Editor_.Select(index);
        ShowProxies();
    });
    connect(Ui_->btnApply, &QPushButton::clicked, this, [this] {
        FocusFault(Editor_.Apply());
        ShowEnabled();
    });
    connect(Ui_->btnProxyAdd, &QPushButton::clicked, this, [this] {
        if (!Editor_.Add())
            return;
        ShowProxies();
        Ui_->edAddres->setFocus();
    });
    connect(Ui_->btnProxyDelete, &QPushButton::clicked, this, [this] {
        if (Editor_.Delete())
            ShowProxies();
    });
    ShowProxies();
}

TdlgProxyProperties::~TdlgProxyProperties() = default;

void TdlgProxyProperties::ShowProxies()
{
    Filling_ = true;
    Ui_->cmbProxies->clear();
    for (const std::string& name : Editor_.Names())
        Ui_->cmbProxies->addItem(QString::fromStdString(name));
    Ui_->cmbProxies->setCurrentIndex(Editor_.Selected());
    const TProxyEditor::TFields& fields = Editor_.Fields;
    Ui_->edAddres->setText(QString::fromStdString(fields.Addres));
    Ui_->edPort->setText(QString::fromStdString(fields.Port));
    Ui_->edProxyUserName->setText(QString::fromStdString(fields.ProxyUserName));
    Ui_->edProxyUserPassword->setText(QString::fromStdString(fields.ProxyUserPassword));
    Ui_->cbUseProxyAuthentication->setChecked(fields.UseProxyAuthentication);
    Ui_->cbProxyProtocolHTTP->setChecked(fields.ProxyProtocolHTTP);
    Ui_->cbProxyProtocolFTP->setChecked(fields.ProxyProtocolFTP);
    Filling_ = false;
    ShowEnabled();
}

void TdlgProxyProperties::ShowEnabled()
{
    Ui_->gbParameters->setVisible(Editor_.ParametersVisible());
    Ui_->btnApply->setEnabled(Editor_.CanApply());
    Ui_->btnProxyDelete->setEnabled(Editor_.CanDelete());
    for (QWidget* login :
         {static_cast<QWidget*>(Ui_->lblProxyUserName), static_cast<QWidget*>(Ui_->edProxyUserName),
          static_cast<QWidget*>(Ui_->lblProxyUserPassword), static_cast<QWidget*>(Ui_->edProxyUserPassword)})
        login->setEnabled(Editor_.LoginEnabled());
}

void TdlgProxyProperties::FieldsEdited()
{
    if (Filling_)
        return;
    TProxyEditor::TFields& fields = Editor_.Fields;
    fields.Addres = Ui_->edAddres->text().toStdString();
    fields.Port = Ui_->edPort->text().toStdString();
    fields.ProxyUserName = Ui_->edProxyUserName->text().toStdString();
    fields.ProxyUserPassword = Ui_->edProxyUserPassword->text().toStdString();
    fields.UseProxyAuthentication = Ui_->cbUseProxyAuthentication->isChecked();
    fields.ProxyProtocolHTTP = Ui_->cbProxyProtocolHTTP->isChecked();
    fields.ProxyProtocolFTP = Ui_->cbProxyProtocolFTP->isChecked();
    Editor_.FieldsChanged();
    ShowEnabled();
}

void TdlgProxyProperties::FocusFault(TProxyEditor::TApplied applied)
{
    if (applied == TProxyEditor::apEmptyAddress)
        Ui_->edAddres->setFocus();
    else if (applied == TProxyEditor::apWrongPort)
        Ui_->edPort->setFocus();
}

void TdlgProxyProperties::done(int result)
{
    if (result != Accepted) {
        QDialog::done(result);
        return;
    }
    switch (Editor_.Ok()) {
    case TProxyEditor::clStay:
        // Applying failed and said why; the field at fault takes the focus.
        FocusFault(Editor_.Fields.Addres.empty() ? TProxyEditor::apEmptyAddress : TProxyEditor::apWrongPort);
        ShowEnabled();
        return;
    case TProxyEditor::clCancelled: QDialog::done(Rejected); return;
    case TProxyEditor::clConfirmed: break;
    }
    // Proxies without an address: deleted when the user agrees, else the dialog stays.
    if (!Editor_.Finish(Proxies_)) {
        ShowProxies();
        return;
    }
    QDialog::done(Accepted);
}
