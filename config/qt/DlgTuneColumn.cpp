#include "config/qt/DlgTuneColumn.h"

#include "config/qt/ListColumns.h"
#include "core/MessageCatalogue.h"

#include "ui_DlgTuneColumn.h"

#include <QHeaderView>

TdlgTuneColumn::TdlgTuneColumn(std::vector<TListColumnStore> columns, int mainColumn, QWidget* parent)
    : QDialog(parent), Ui_(std::make_unique<Ui::dlgTuneColumn>()), Model_(std::move(columns), mainColumn)
{
    Ui_->setupUi(this);
    setFixedSize(sizeHint().expandedTo(size()));
    Ui_->btnMoveUP->setDefaultAction(Ui_->actMoveUP);
    Ui_->btnMoveDown->setDefaultAction(Ui_->actMoveDown);
    Ui_->btnShow->setDefaultAction(Ui_->actShow);
    Ui_->btnHide->setDefaultAction(Ui_->actHide);
    for (QToolButton* button : {Ui_->btnMoveUP, Ui_->btnMoveDown, Ui_->btnShow, Ui_->btnHide})
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    for (const char* id : {"sAllignLeft", "sAllignRight", "sAllignCenter"})
        Ui_->cmbAlignText->addItem(QString::fromStdString(Translate(id)));

    connect(Ui_->actMoveUP, &QAction::triggered, this, [this] { Model_.MoveUp(); FillRows(); });
    connect(Ui_->actMoveDown, &QAction::triggered, this, [this] { Model_.MoveDown(); FillRows(); });
    connect(Ui_->actShow, &QAction::triggered, this, [this] { Model_.Show(); FillRows(); });
    connect(Ui_->actHide, &QAction::triggered, this, [this] { Model_.Hide(); FillRows(); });
    connect(Ui_->TreeColumns, &QTreeWidget::currentItemChanged, this, [this] {
        if (Filling_)
            return;
        StoreWidth();
        Model_.Focus(Ui_->TreeColumns->indexOfTopLevelItem(Ui_->TreeColumns->currentItem()));
        ShowFocused();
    });
    connect(Ui_->TreeColumns, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
        if (Filling_)
            return;
        const int row = Ui_->TreeColumns->indexOfTopLevelItem(item);
        Model_.SetChecked(row, item->checkState(0) == Qt::Checked);
        FillRows();  // a refused change is undone on the box
    });
    connect(Ui_->cmbAlignText, &QComboBox::activated, this, [this](int index) { Model_.SetAlignment(index); });
    connect(Ui_->edColumnWidth, &QSpinBox::editingFinished, this, &TdlgTuneColumn::StoreWidth);
    FillRows();
}

TdlgTuneColumn::~TdlgTuneColumn() = default;

void TdlgTuneColumn::FillRows()
{
    Filling_ = true;
    QTreeWidget& list = *Ui_->TreeColumns;
    list.clear();
    for (int row = 0; row < Model_.RowCount(); ++row) {
        auto* item = new QTreeWidgetItem(&list, {QString::fromStdString(Model_.Caption(row))});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Model_.Checked(row) ? Qt::Checked : Qt::Unchecked);
    }
    if (Model_.Focused() >= 0)
        list.setCurrentItem(list.topLevelItem(Model_.Focused()));
    Filling_ = false;
    ShowFocused();
}

void TdlgTuneColumn::ShowFocused()
{
    Ui_->actMoveUP->setEnabled(Model_.CanMoveUp());
    Ui_->actMoveDown->setEnabled(Model_.CanMoveDown());
    Ui_->actShow->setEnabled(Model_.CanShow());
    Ui_->actHide->setEnabled(Model_.CanHide());
    Ui_->edColumnWidth->setValue(Model_.Width());
    Ui_->cmbAlignText->setCurrentIndex(Model_.Alignment());
}

void TdlgTuneColumn::StoreWidth()
{
    // Only a value the user typed reaches the column: showing a row fills the field too.
    if (Ui_->edColumnWidth->value() != Model_.Width())
        Model_.SetWidth(Ui_->edColumnWidth->value());
}

std::vector<TListColumnStore> TdlgTuneColumn::Result()
{
    StoreWidth();
    return Model_.Result();
}

void TdlgTuneColumn::done(int result)
{
    StoreWidth();
    QDialog::done(result);
}

bool ShowColumnDialog(QWidget* owner, QHeaderView& header, int mainColumn, const std::function<void(QWidget&)>& translate)
{
    std::vector<TListColumnStore> columns;
    ReadColumns(header, columns);
    TdlgTuneColumn dialog(columns, mainColumn, owner);
    if (translate)
        translate(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    ApplyColumns(header, dialog.Result());
    return true;
}
