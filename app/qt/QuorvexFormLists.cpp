// The lists' commands: their popups, keys and log commands, and the header menus' grid
// and column commands, which act on the list whose menu opened last.
#include "app/qt/QuorvexForm.h"

#include "config/Options.h"
#include "config/qt/DlgTuneColumn.h"
#include "config/qt/ListColumns.h"
#include "config/qt/ListDelegate.h"
#include "config/qt/QtLangWindow.h"
#include "tasks/ManagerTask.h"
#include "tasks/TaskLogView.h"
#include "tasks/qt/TaskListView.h"
#include "tasks/qt/TaskLogListView.h"
#include "tasks/qt/TaskPage.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QShortcut>
#include <QTreeView>

void TQuorvexForm::ConnectListCommands()
{
    InstallHeaderMenu(TaskPage_->TaskList(), TTaskPage::kTaskListMainColumn);
    InstallHeaderMenu(TaskPage_->LogList(), TTaskPage::kLogListMainColumn);
    InstallHeaderMenu(TaskPage_->InfoList(), 0, false);
    // Each grid command switches its option of the target list.
    const std::pair<const char*, bool * TListDelegate::TLook::*> grids[] = {
        {"actShowHorizontalGrid", &TListDelegate::TLook::HorzGrid},
        {"actShowVerticalGrid", &TListDelegate::TLook::VertGrid},
        {"actShowStripedGrid", &TListDelegate::TLook::Stripped}};
    for (const auto& [name, option] : grids)
        connect(Action(name), &QAction::triggered, this, [this, option = option](bool on) {
            auto* delegate = TargetList_ ? dynamic_cast<TListDelegate*>(TargetList_->itemDelegate()) : nullptr;
            if (delegate && delegate->Look().*option) {
                *(delegate->Look().*option) = on;
                TargetList_->viewport()->update();
            }
        });
    // The popups of the task list and of its log.
    InstallListPopup(TaskPage_->TaskList(), {"actTaskAdd",
                                             "-",
                                             "actTaskStart",
                                             "actTaskPause",
                                             "actTaskPauseTemp",
                                             "actTaskDelete",
                                             "-",
                                             "actTaskStartImmediately",
                                             "actTaskReload",
                                             "-",
                                             "actTaskMoveBegin",
                                             "actTaskMoveUP",
                                             "actTaskMoveDown",
                                             "actTaskMoveEnd",
                                             "-",
                                             "actTaskOpen",
                                             "actTaskOpenDestination",
                                             "actTaskOpenSource",
                                             "-",
                                             "actTaskCopyPathToClipboard",
                                             "actTaskPastePathFromClipboard",
                                             "-",
                                             "actTaskAddToHostManager",
                                             "-",
                                             "actTaskProperties"});
    InstallListPopup(TaskPage_->LogList(),
                     {"actTaskLogCopyToClipboard", "actTaskLogClear", "-", "actTaskLogAutoscroll"});
    connect(&TaskPage_->TaskList(), &TTaskListView::PropertiesRequested, Action("actTaskProperties"),
            &QAction::trigger);
    BindInsertAndDelete(TaskPage_->TaskList(), "actTaskAdd", "actTaskDelete");
    connect(Action("actTaskLogClear"), &QAction::triggered, this, [this] { Tasks().LogView().ClearLog(); });
    connect(Action("actTaskLogCopyToClipboard"), &QAction::triggered, this,
            [this] { Tasks().LogView().CopyToClipboard(); });
    connect(Action("actTaskLogAutoscroll"), &QAction::triggered, this,
            [this] { Tasks().LogView().ToggleAutoScroll(); });

    connect(Action("actTuneColumn"), &QAction::triggered, this, [this] {
        if (!TargetList_)
            return;
        const int mainColumn =
            TargetList_ == &TaskPage_->LogList() ? TTaskPage::kLogListMainColumn : TTaskPage::kTaskListMainColumn;
        ShowColumnDialog(this, *TargetList_->header(), mainColumn,
                         [this](QWidget& dialog) { TranslateQtForm(Language_, dialog); });
    });
}

void TQuorvexForm::ShowTargetGrid()
{
    auto* delegate = TargetList_ ? dynamic_cast<TListDelegate*>(TargetList_->itemDelegate()) : nullptr;
    const auto check = [this, delegate](const char* name, bool* option) {
        Action(name)->setEnabled(option != nullptr);
        Action(name)->setChecked(TListDelegate::On(option));
    };
    check("actShowHorizontalGrid", delegate ? delegate->Look().HorzGrid : nullptr);
    check("actShowVerticalGrid", delegate ? delegate->Look().VertGrid : nullptr);
    check("actShowStripedGrid", delegate ? delegate->Look().Stripped : nullptr);
    Action("actTuneColumn")->setEnabled(TargetList_ != nullptr);
}

QMenu* TQuorvexForm::InstallListPopup(QAbstractItemView& list, std::initializer_list<const char*> names)
{
    auto* menu = new QMenu(&list);
    for (const char* name : names) {
        if (name[0] == '-')
            menu->addSeparator();
        else
            menu->addAction(Action(name));
    }
    list.setContextMenuPolicy(Qt::CustomContextMenu);
    // The place comes in the coordinates of the rows' area, below the header.
    connect(&list, &QWidget::customContextMenuRequested, this, [this, menu, &list](const QPoint& at) {
        UpdateCommands();
        menu->popup(list.viewport()->mapToGlobal(at));
    });
    return menu;
}

// The header menu opened makes its list the target of the grid and column commands. An
// information list's rows are fixed: its menu has neither column items nor the column dialog.
void TQuorvexForm::InstallHeaderMenu(QTreeView& list, int mainColumn, bool columnItems)
{
    InstallColumnHeaderMenu(
        *list.header(), mainColumn, [this, columnItems] { return HeaderMenuCommands(columnItems); },
        [this, &list] {
            TargetList_ = &list;
            ShowTargetGrid();
        },
        columnItems);
}

QList<QAction*> TQuorvexForm::HeaderMenuCommands(bool tuneColumns)
{
    QList<QAction*> commands{Action("actShowHorizontalGrid"), Action("actShowVerticalGrid"),
                             Action("actShowStripedGrid")};
    if (tuneColumns)
        commands << Action("actTuneColumn");
    return commands;
}

void TQuorvexForm::BindInsertAndDelete(QWidget& list, const char* insert, const char* del)
{
    // Only while the list has the focus: elsewhere the keys edit text.
    for (const auto& [key, name] : {std::pair{Qt::Key_Insert, insert}, std::pair{Qt::Key_Delete, del}}) {
        auto* shortcut = new QShortcut(QKeySequence(key), &list, nullptr, nullptr, Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, name = name] { RunIfEnabled(name); });
    }
}

void TQuorvexForm::RunIfEnabled(const char* name)
{
    UpdateCommands();
    if (Action(name)->isEnabled())
        Action(name)->trigger();
}
