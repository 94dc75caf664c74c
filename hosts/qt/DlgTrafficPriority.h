#pragma once

#include "hosts/ConnectionTypesEditor.h"

#include <QDialog>

#include <memory>

namespace Ui {
class DlgTrafficPriority;
}

// The connection types dialog: shows what a TConnectionTypesEditor says and passes it every
// choice and every typed value. The caller applies the editor's copy on OK.
class TDlgTrafficPriority : public QDialog {
    Q_OBJECT

public:
    explicit TDlgTrafficPriority(TConnectionTypesEditor& editor, QWidget* parent = nullptr);
    ~TDlgTrafficPriority() override;

private:
    void FillTypes();
    // The bandwidth, the speed and share of the priority, and what is enabled and shown.
    void ShowValues();
    void ShowEnabled();
    void Apply(const TConnectionTypesEditor::TFieldUpdate& update);

    TConnectionTypesEditor& Editor_;
    std::unique_ptr<Ui::DlgTrafficPriority> Ui_;
};
