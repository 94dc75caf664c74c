#pragma once

#include "config/ColumnDialogModel.h"

#include <QDialog>

#include <functional>
#include <memory>

class QHeaderView;

namespace Ui {
class dlgTuneColumn;
}

// The column dialog over one list: a box per column in display order that shows or hides
// it, buttons that move the focused column, its width and its text alignment. It works on
// a copy; Result() is what OK gives back.
class TdlgTuneColumn : public QDialog {
    Q_OBJECT
public:
    TdlgTuneColumn(std::vector<TListColumnStore> columns, int mainColumn, QWidget* parent = nullptr);
    ~TdlgTuneColumn() override;

    const TColumnDialogModel& Model() const { return Model_; }
    // The working copy, with the width field's value stored.
    std::vector<TListColumnStore> Result();

    void done(int result) override;

private:
    void FillRows();
    // The buttons' enabling and the fields follow the focused row.
    void ShowFocused();
    void StoreWidth();

    std::unique_ptr<Ui::dlgTuneColumn> Ui_;
    TColumnDialogModel Model_;
    bool Filling_ = false;
};

// Opens the column dialog on the header's list; the header changes only when the user
// presses OK (true then). translate, when given, translates the dialog before it shows.
bool ShowColumnDialog(QWidget* owner, QHeaderView& header, int mainColumn,
                      const std::function<void(QWidget&)>& translate = {});
