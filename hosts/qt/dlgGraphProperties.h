#pragma once

#include "hosts/TraffSchema.h"

#include <QDialog>

#include <memory>

class ITaskDialogs;
class QCheckBox;
class QFrame;

namespace Ui {
class dlgGraphProperties;
}

// The graph's schemes, edited on a working copy: a scheme chosen by name shows its
// switches, its grid divisions and its colours; Apply and OK hand the copy to the graph,
// Save writes it to the schemes file too, Cancel drops what was not applied.
class TdlgGraphProperties : public QDialog {
    Q_OBJECT
public:
    TdlgGraphProperties(TTraffSchemaCollection& schemes, ITaskDialogs& dialogs, QWidget* parent = nullptr);
    ~TdlgGraphProperties() override;

    const TTraffSchemaCollection& WorkingCopy() const { return Copy_; }

signals:
    // The graph's schemes changed: it repaints.
    void Applied();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillNames();
    void ShowScheme();
    void StoreScheme();
    void Apply();
    void ShowSwatch(QFrame& swatch, TColor color);

    std::unique_ptr<Ui::dlgGraphProperties> Ui_;
    TTraffSchemaCollection& Schemes_;
    ITaskDialogs& Dialogs_;
    TTraffSchemaCollection Copy_;
    // The colours shown on the swatches, stored with the other controls.
    TColor Colors_[5] = {};
    bool Filling_ = false;
};
