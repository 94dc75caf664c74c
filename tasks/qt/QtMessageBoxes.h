#pragma once

#include "core/MessageBoxPort.h"

#include <QPointer>
#include <QWidget>

// The model's error boxes as the program's message box, centred on the owner window.
class TQtMessageBoxes : public IMessageBoxPort {
public:
    explicit TQtMessageBoxes(QWidget* owner) : Owner_(owner) {}

    // An empty caption leaves the error kind's own.
    void ShowErrorBox(const std::string& caption, const std::string& text) override;

private:
    QPointer<QWidget> Owner_;
};
