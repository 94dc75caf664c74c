#include "records/qt/DlgRecordProperties.h"

#include "records/RecordPorts.h"

#include "ui_DlgHistoryProperties.h"
#include "ui_DlgRecycleBinProperties.h"

namespace {

// The six fields both forms have, shown from their start.
template <class TUi>
void ShowFields(TUi& ui, const TRecordPropertiesForm& form)
{
    const std::pair<QLineEdit*, const std::string*> fields[] = {
        {ui.edName, &form.Name}, {ui.edSource, &form.Source},   {ui.edDestination, &form.Destination},
        {ui.edSize, &form.Size}, {ui.edCreated, &form.Created}, {ui.edCompleted, &form.Completed}};
    for (const auto& [edit, text] : fields) {
        edit->setText(QString::fromStdString(*text));
        edit->setCursorPosition(0);
    }
}

}  // namespace

TDlgHistoryProperties::TDlgHistoryProperties(const TRecordPropertiesForm& form,
                                             std::function<void(const std::string&)> open, QWidget* parent)
    : QDialog(parent), Ui_(std::make_unique<Ui::DlgHistoryProperties>())
{
    Ui_->setupUi(this);
    ShowFields(*Ui_, form);
    Ui_->btnOpen->setEnabled(!form.OpenPath.empty() && open);
    connect(Ui_->btnOpen, &QPushButton::clicked, this, [path = form.OpenPath, open = std::move(open)] {
        if (open)
            open(path);
    });
}

TDlgHistoryProperties::~TDlgHistoryProperties() = default;

TDlgRecycleBinProperties::TDlgRecycleBinProperties(const TRecordPropertiesForm& form, QWidget* parent)
    : QDialog(parent), Ui_(std::make_unique<Ui::DlgRecycleBinProperties>())
{
    Ui_->setupUi(this);
    ShowFields(*Ui_, form);
}

TDlgRecycleBinProperties::~TDlgRecycleBinProperties() = default;
