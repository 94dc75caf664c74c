#pragma once

#include <QDialog>

#include <memory>
#include <string>

namespace Ui {
class InputBoxDlg;
}

// A one-line question: the caption, the prompt, and an edit of at most 255 characters
// that holds the proposal, all of it selected.
class TInputBoxDlg : public QDialog {
    Q_OBJECT

public:
    TInputBoxDlg(const std::string& caption, const std::string& prompt, const std::string& text,
                 QWidget* parent = nullptr);
    ~TInputBoxDlg() override;

    std::string Text() const;

private:
    std::unique_ptr<Ui::InputBoxDlg> Ui_;
};
