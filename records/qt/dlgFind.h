#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class TFindDialogModel;
struct TFindTarget;

namespace Ui {
class dlgFind;
}

// The find dialog over the list of the page that was in front when it opened: not modal,
// above the main window. "Find next" (also Enter) and "Select all" are enabled while there
// is a text and a field to look in; the box's list is the remembered texts (ListFinded).
class TdlgFind : public QDialog {
    Q_OBJECT
public:
    TdlgFind(TFindTarget target, QWidget* parent = nullptr);
    ~TdlgFind() override;

    // Runs after every search: the window shows the selection it left.
    std::function<void()> OnSearched;

    void FindNext();
    void SelectAll();

private:
    // The model from the widgets, and the buttons' states.
    void TakeQuery();
    // The box's list after a search put the text at its top.
    void FillTexts();

    std::unique_ptr<Ui::dlgFind> Ui_;
    std::unique_ptr<TFindDialogModel> Model_;
};
