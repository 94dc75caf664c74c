#pragma once

#include "app/CompletionAction.h"

#include <QDialog>

#include <memory>

class TLangChanger;

namespace Ui {
class dlgCompleteOptions;
}

// Chooses the completion action, its warning and whether other programs are forced.
class TdlgCompleteOptions : public QDialog {
    Q_OBJECT
public:
    explicit TdlgCompleteOptions(const TCompletionSettings& settings, QWidget* parent = nullptr);
    ~TdlgCompleteOptions() override;

    // What the controls hold.
    TCompletionSettings Settings() const;

private:
    std::unique_ptr<Ui::dlgCompleteOptions> Ui_;
};

// Shows the dialog on settings; true with settings updated on OK, false and nothing changed
// on Cancel.
bool EditCompletionOptions(QWidget* owner, const TLangChanger& language, TCompletionSettings& settings);
