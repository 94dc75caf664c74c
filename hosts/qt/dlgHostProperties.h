#pragma once

#include "hosts/HostDialogs.h"

#include <QDialog>

#include <memory>

namespace Ui {
class dlgHostProperties;
}

// The host dialog: shows a THostForm, keeps OK and the dependent fields enabled as the
// form's rules say, and writes the widgets back into the form on OK.
class TdlgHostProperties : public QDialog {
    Q_OBJECT

public:
    explicit TdlgHostProperties(THostForm& form, QWidget* parent = nullptr);
    ~TdlgHostProperties() override;

    void accept() override;

private:
    // The widgets into a form.
    THostForm Typed() const;
    void ShowEnabled();

    THostForm& Form_;
    std::unique_ptr<Ui::dlgHostProperties> Ui_;
};
