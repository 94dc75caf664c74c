#include "hosts/qt/dlgNewConnection.h"

#include "ui_dlgNewConnection.h"

#include <QRegularExpressionValidator>

TdlgNewConnection::TdlgNewConnection(const std::string& name, const std::string& bandwidth, QWidget* parent)
    : QDialog(parent), Ui_(std::make_unique<Ui::dlgNewConnection>())
{
    Ui_->setupUi(this);
    Ui_->edBandwidth->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), Ui_->edBandwidth));
    Ui_->edName->setText(QString::fromStdString(name));
    Ui_->edBandwidth->setText(QString::fromStdString(bandwidth));
}

TdlgNewConnection::~TdlgNewConnection() = default;

std::string TdlgNewConnection::Name() const
{
    return Ui_->edName->text().toStdString();
}

std::string TdlgNewConnection::Bandwidth() const
{
    return Ui_->edBandwidth->text().toStdString();
}
