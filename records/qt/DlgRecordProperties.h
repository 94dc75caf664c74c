#pragma once

#include <QDialog>

#include <functional>
#include <memory>

struct TRecordPropertiesForm;

namespace Ui {
class DlgHistoryProperties;
class DlgRecycleBinProperties;
}  // namespace Ui

// The read-only properties of a history record. Its open button hands the copy's path to
// open; the dialog changes nothing.
class TDlgHistoryProperties : public QDialog {
    Q_OBJECT
public:
    TDlgHistoryProperties(const TRecordPropertiesForm& form, std::function<void(const std::string&)> open,
                          QWidget* parent = nullptr);
    ~TDlgHistoryProperties() override;

private:
    std::unique_ptr<Ui::DlgHistoryProperties> Ui_;
};

// The read-only properties of a record of the recycle bin: its end is its deletion.
class TDlgRecycleBinProperties : public QDialog {
    Q_OBJECT
public:
    explicit TDlgRecycleBinProperties(const TRecordPropertiesForm& form, QWidget* parent = nullptr);
    ~TDlgRecycleBinProperties() override;

private:
    std::unique_ptr<Ui::DlgRecycleBinProperties> Ui_;
};
