#pragma once

#include <QDialog>

#include <memory>
#include <string>

namespace Ui {
class dlgEditConnectionName;
}

// Asks the new name of a connection type.
class TdlgEditConnectionName : public QDialog {
    Q_OBJECT

public:
    explicit TdlgEditConnectionName(const std::string& name, QWidget* parent = nullptr);
    ~TdlgEditConnectionName() override;

    std::string Name() const;

private:
    std::unique_ptr<Ui::dlgEditConnectionName> Ui_;
};
