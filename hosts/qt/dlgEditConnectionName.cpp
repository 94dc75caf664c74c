#include "hosts/qt/dlgEditConnectionName.h"

#include "ui_dlgEditConnectionName.h"

TdlgEditConnectionName::TdlgEditConnectionName(const std::string& name, QWidget* parent)
    : QDialog(parent), Ui_(std::make_unique<Ui::dlgEditConnectionName>())
{
    Ui_->setupUi(this);
    Ui_->edName->setText(QString::fromStdString(name));
    Ui_->edName->selectAll();
}

TdlgEditConnectionName::~TdlgEditConnectionName() = default;

std::string TdlgEditConnectionName::Name() const
{
    return Ui_->edName->text().toStdString();
}
