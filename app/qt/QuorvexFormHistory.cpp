// The history page in the main window: its list, filter box, commands, popup and keys; and
// the find dialog over the list of the page in front.
#include "app/qt/QuorvexForm.h"

#include "app/ProgramSession.h"
#include "config/qt/QtLangWindow.h"
#include "records/FindDialog.h"
#include "records/HistoryManager.h"
#include "records/RecycleBinManager.h"
#include "records/qt/HistoryPage.h"
#include "records/qt/RecordListView.h"
#include "records/qt/dlgFind.h"
#include "tasks/ManagerTask.h"
#include "tasks/qt/QtDesktop.h"
#include "ui_QuorvexForm.h"

#include <QAction>
#include <QComboBox>

void TQuorvexForm::ConnectHistory()
{
    HistoryPage_ = new THistoryPage(Ui_->tsManagerHistory);
    Ui_->tsManagerHistory->layout()->addWidget(HistoryPage_);
    HistoryPage_->Attach(&Session_->History());
    HistoryPage_->ApplyColumns();

    const auto onHistory = [this](const char* name, void (THistoryManager::*command)()) {
        connect(Action(name), &QAction::triggered, this, [this, command] {
            (Session_->History().*command)();
            Tick();
        });
    };
    onHistory("actHistoryReloadTask", &THistoryManager::ReloadSelectedAfterConfirmation);
    onHistory("actHistoryDelete", &THistoryManager::DeleteSelectedAfterConfirmation);
    onHistory("actHistoryClear", &THistoryManager::ClearAfterConfirmation);
    onHistory("actHistorySelectAll", &THistoryManager::SelectAll);
    onHistory("actHistoryOpen", &THistoryManager::OpenSelectedFiles);
    onHistory("actHistoryOpenDestination", &THistoryManager::OpenSelectedDestinations);
    onHistory("actHistoryOpenSource", &THistoryManager::OpenSelectedSources);
    onHistory("actHistoryProperties", &THistoryManager::ShowSelectedProperties);
    onHistory("actHistoryCopyPathToClipboard", &THistoryManager::CopyDestinationsToClipboard);
    connect(Action("actHistorySetTextFilter"), &QAction::triggered, this, [this] {
        HistoryPage_->ApplyTextFilter();
        Tick();
    });
    connect(Action("actHistoryClearTextFilter"), &QAction::triggered, this, [this] {
        HistoryPage_->ClearTextFilter();
        Tick();
    });
    HistoryPage_->SetFilterCommands(Action("actHistorySetTextFilter"), Action("actHistoryClearTextFilter"));
    connect(&HistoryPage_->FilterBox(), &QComboBox::editTextChanged, this, [this] { UpdateHistoryCommands(); });
    TRecordListView& list = HistoryPage_->HistoryList();
    connect(&list, &TRecordListView::SelectionMoved, this, &TQuorvexForm::UpdateCommands);

    // The list's popup and its keys.
    InstallListPopup(list, {"actHistoryReloadTask", "actHistoryDelete", "actHistoryClear", "-", "actHistoryOpen",
                            "actHistoryOpenDestination", "actHistoryOpenSource", "-", "actHistoryCopyPathToClipboard",
                            "actHistorySelectAll", "-", "actHistoryProperties"});
    const std::pair<QKeyCombination, const char*> keys[] = {
        {Qt::CTRL | Qt::Key_R, "actHistoryReloadTask"},
        {QKeyCombination(Qt::Key_Delete), "actHistoryDelete"},
        {QKeyCombination(Qt::Key_Return), "actHistoryOpen"},
        {QKeyCombination(Qt::Key_Enter), "actHistoryOpen"},
        {Qt::SHIFT | Qt::Key_Return, "actHistoryOpenDestination"},
        {Qt::SHIFT | Qt::Key_Enter, "actHistoryOpenDestination"},
        {Qt::CTRL | Qt::Key_Return, "actHistoryOpenSource"},
        {Qt::CTRL | Qt::Key_Enter, "actHistoryOpenSource"},
    };
    for (const auto& [key, name] : keys)
        list.SetKeyCommand(key, [this, name = name] { RunIfEnabled(name); });

    InstallHeaderMenu(list);
    InstallHeaderMenu(HistoryPage_->InfoList(), 0, false);
}

void TQuorvexForm::DisconnectHistory()
{
    delete FindDialog_;
    HistoryPage_->ReadColumns();
    // The page lets go of the history before the history goes.
    HistoryPage_->Attach(nullptr);
}

void TQuorvexForm::UpdateHistoryCommands()
{
    if (!HistoryPage_)
        return;
    const THistoryManager& history = Session_->History();
    for (const char* name : {"actHistoryReloadTask", "actHistoryDelete", "actHistoryOpen", "actHistoryOpenDestination",
                             "actHistoryOpenSource", "actHistoryProperties", "actHistoryCopyPathToClipboard"})
        Action(name)->setEnabled(history.HasSelection());
    Action("actHistoryClear")->setEnabled(history.HasShown());
    Action("actHistorySelectAll")->setEnabled(history.HasShown());
    Action("actHistorySetTextFilter")->setEnabled(HistoryPage_->CanApplyTextFilter());
    Action("actHistoryClearTextFilter")->setEnabled(HistoryPage_->CanClearTextFilter());
}

void TQuorvexForm::ShowFindDialog()
{
    if (FindDialog_ && FindDialog_->isVisible()) {
        Desktop_->Beep(TBeepKind::Error);
        return;
    }
    TFindTarget target;
    switch (PageInFront()) {
    case pgTask: target = FindTargetOf(Tasks()); break;
    case pgHistory: target = FindTargetOf(Session_->History()); break;
    case pgRecycleBin: target = FindTargetOf(Session_->RecycleBin()); break;
    default: return;
    }
    delete FindDialog_;
    auto* dialog = new TdlgFind(std::move(target), this);
    connect(dialog, &QDialog::finished, dialog, &QObject::deleteLater);
    dialog->OnSearched = [this] { Tick(); };
    TranslateQtForm(Language_, *dialog);
    FindDialog_ = dialog;
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}
