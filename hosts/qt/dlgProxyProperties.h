#pragma once

#include "hosts/TransferSettingsEditors.h"

#include <QDialog>

#include <memory>

namespace Ui {
class dlgProxyProperties;
}

// The proxy list: add, delete, and the selected proxy's address, port, login and
// protocols. It works on a copy; the proxies given take it only when the dialog closes
// with OK and every proxy has an address.
class TdlgProxyProperties : public QDialog {
    Q_OBJECT

public:
    TdlgProxyProperties(TProxyCollection& proxies, ITaskDialogs& dialogs, ITransferSettingsDialogs& forms,
                        QWidget* parent = nullptr);
    ~TdlgProxyProperties() override;

    void done(int result) override;

private:
    // The list and the fields as the editor has them.
    void ShowProxies();
    void ShowEnabled();
    // A field changed: the editor takes every field.
    void FieldsEdited();
    // The field at fault, after Apply.
    void FocusFault(TProxyEditor::TApplied applied);

    std::unique_ptr<Ui::dlgProxyProperties> Ui_;
    TProxyCollection& Proxies_;
    TProxyEditor Editor_;
    bool Filling_ = false;
};
