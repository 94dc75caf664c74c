#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class dlgPauseTemp;
}

// Asks for how many minutes the selected tasks pause (kPauseMinutesRange).
class TdlgPauseTemp : public QDialog {
    Q_OBJECT

public:
    explicit TdlgPauseTemp(int minutes, QWidget* parent = nullptr);
    ~TdlgPauseTemp() override;

    int Minutes() const;

private:
    std::unique_ptr<Ui::dlgPauseTemp> Ui_;
};
