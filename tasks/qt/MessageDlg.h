#pragma once

#include <QDialog>

#include <map>
#include <memory>
#include <optional>
#include <string>

class QPushButton;
// Declared only: moc cannot read the standard headers that the task ports bring in.
enum class TMessageKind;
enum class TModalResult;

namespace Ui {
class MessageDlg;
}

// The program's message box: the kind's icon and caption, the word-wrapped text, the
// buttons of the set in one centred row (TMessageDlgModel's order, default and Esc button),
// and in its check variant the box "don't show again". Ctrl+C copies the box as text.
class TMessageDlg : public QDialog {
    Q_OBJECT

public:
    TMessageDlg(const std::string& text, TMessageKind kind, unsigned buttons, bool withCheck,
                QWidget* parent = nullptr);
    ~TMessageDlg() override;

    // The button that closed the box; the Esc answer before that.
    TModalResult Result() const { return Result_; }
    bool Checked() const;
    // The button of an answer, null when the box has none.
    QPushButton* Button(TModalResult result) const;
    // Beeps and puts the box as text on the clipboard.
    void CopyToClipboard();

    // Esc and the window's close button answer as the Esc button; without one they do nothing.
    void reject() override;

private:
    std::unique_ptr<Ui::MessageDlg> Ui_;
    std::map<TModalResult, QPushButton*> Buttons_;
    std::optional<TModalResult> Escape_;
    TModalResult Result_;
    std::string Text_;
};
