#pragma once

#include "app/AutomationServer.h"
#include "app/DataFiles.h"
#include "app/GenericCommands.h"
#include "app/PageTree.h"
#include "tasks/OfferedPaths.h"

#include <QDialog>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class QuorvexForm;
}
class QAbstractItemView;
class QAction;
class QMenu;
class QTreeView;
class QTreeWidgetItem;
class TLangChanger;
class TMainThread;
class TProgramSession;
class TQtDesktop;
class TQtMessageBoxes;
class TQtTaskDialogs;
class TQtRecordDialogs;
class TQtHostDialogs;
class TShellNotifier;
class TSoundPlayer;
class TStatusPanels;
class TSystemClock;
class TTaskPage;
class THistoryPage;
class THostPage;
class TTrayIcon;
class TQtTrafficGraph;
class TClipboardMonitor;
class TManagerTask;
class TRecordListView;

// The main window: drives the task list with a 500 ms tick, shows its pages, turns the
// events of the downloads into balloons, sounds and the tray animation, watches the
// clipboard, takes drops, and owns the program's lists from its creation to its end.
class TQuorvexForm : public QMainWindow {
    Q_OBJECT
public:
    // Creates every list from the data files and shows the downloads page; hidden in the
    // tray when startHidden.
    TQuorvexForm(TMainThread& mainThread, TLangChanger& language, const TDataFiles& files, bool startHidden);
    ~TQuorvexForm() override;

    TProgramSession& Session() { return *Session_; }
    TManagerTask& Tasks();
    TTaskPage& TaskPage() { return *TaskPage_; }
    THistoryPage& HistoryPage() { return *HistoryPage_; }
    QAction* Action(const char* name) const;

    // A request of a drop or of another program: the paths (one per line) and folders are
    // added after the current event, through the task dialog unless silent. Requests are
    // added in turn: one that comes while another's dialog is open waits for it.
    void PostAddFiles(const std::string& paths, const std::string& folders, bool silent);
    // Shows the window from the tray or from behind others and puts it in front.
    void ShowWindow();
    // Shows the window with the downloads page in front.
    void ShowTaskPage();

    // The page whose sheet is visible; the generic commands and the status bar follow it.
    TPage PageInFront() const;
    // The 500 ms tick: the task list's queue, the page's values, the status bar, the
    // commands' states. Also run soon after the task list asks for it.
    void Tick();

    // Whether the window hid in the tray rather than in the task bar.
    bool HiddenInTray() const { return HiddenInTray_; }

    // Every byte downloaded since the window was made.
    int64_t ReceivedSinceStart() const;

signals:
    // The user confirmed the exit and everything is saved: the program may end.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    class TShellOutput;

    // Start-up and the end, in their fixed orders.
    void FormCreate(bool startHidden);
    void FormDestroy();
    void ApplyPlacement();
    void StorePlacement();

    void ConnectCommands();
    void ConnectTaskCommands();
    void ConnectViewCommands();
    void ConnectListCommands();
    void ConnectHosts();
    void DisconnectHosts();
    void UpdateHostCommands();
    void ShowTargetGrid();
    // Shared by the pages' lists: a popup of commands ("-" a separator), the commands of a
    // column header's menu, and a command run when enabled.
    QMenu* InstallListPopup(QAbstractItemView& list, std::initializer_list<const char*> names);
    QList<QAction*> HeaderMenuCommands(bool tuneColumns);
    void InstallHeaderMenu(QTreeView& list, int mainColumn = 0, bool columnItems = true);
    void RunIfEnabled(const char* name);
    // Ins and Del run these commands while the list has the focus.
    void BindInsertAndDelete(QWidget& list, const char* insert, const char* del);
    void UpdateCommands();
    void RouteGeneric(int command);
    // What the clipboard offers; none when it cannot be read.
    std::optional<std::vector<TOfferedFormat>> ClipboardFormats() const;
    void BuildActiveTaskPopup();
    // The recycle-bin and scheduler pages.
    void ConnectRecords();
    void UpdateRecordCommands();
    void TickRecords();
    void CloseRecords();

    void BuildPageTree();
    void PageTreeClicked(QTreeWidgetItem* item);
    void PageChanged(int index);

    void HideToTray();
    void ClipboardChanged();
    void NoteClipboardReadable();
    void OpenListFile(int command);
    void ConfirmExit();
    void TranslateWindow();

    void ConnectGraph();
    void ShowGraphProperties();
    void CloseGraph();
    void ConnectAutomation();
    // Runs the completion action after the current event.
    void PostCompletionAction();
    // The options dialog and the language menu (QuorvexFormOptions.cpp).
    void ConnectOptions();
    void ShowOptions();
    void BuildLanguageMenu();
    void ChangeLanguage(const std::string& file);

    std::unique_ptr<Ui::QuorvexForm> Ui_;
    TMainThread& MainThread_;
    TLangChanger& Language_;
    TDataFiles Files_;
    std::unique_ptr<TSystemClock> Clock_;
    std::unique_ptr<TQtDesktop> Desktop_;
    std::unique_ptr<TQtMessageBoxes> Boxes_;
    std::unique_ptr<TQtTaskDialogs> Dialogs_;
    std::unique_ptr<TQtRecordDialogs> RecordDialogs_;
    std::unique_ptr<TQtHostDialogs> HostDialogs_;
    TSoundPlayer* Sounds_ = nullptr;
    TTrayIcon* Tray_ = nullptr;
    QMenu* TrayMenu_ = nullptr;
    QMenu* ActiveTaskMenu_ = nullptr;
    std::unique_ptr<TShellOutput> ShellOutput_;
    std::unique_ptr<TShellNotifier> Notifier_;
    std::unique_ptr<TClipboardMonitor> ClipboardMonitor_;
    std::unique_ptr<TProgramSession> Session_;
    TTaskPage* TaskPage_ = nullptr;
    THostPage* HostPage_ = nullptr;
    TStatusPanels* StatusPanels_ = nullptr;
    TQtTrafficGraph* TrafficGraph1_ = nullptr;
    QTimer Timer1_;
    // The list whose column-header menu opened last: the grid and column commands act on it.
    QTreeView* TargetList_ = nullptr;
    bool Initializing_ = true;
    bool HiddenInTray_ = false;
    bool ExitConfirmed_ = false;
    bool Destroyed_ = false;
    bool TickPosted_ = false;
    bool ClipboardReadable_ = false;  // as of the clipboard's last change

    // The history page and the find dialog (QuorvexFormHistory.cpp).
    void ConnectHistory();
    void DisconnectHistory();
    void UpdateHistoryCommands();
    void ShowFindDialog();
    THistoryPage* HistoryPage_ = nullptr;
    QPointer<QDialog> FindDialog_;
    TRecordListView* RecycleBinList_ = nullptr;  // TreeRecycleBin
    TRecordListView* SchedulerList_ = nullptr;   // TreeManagerScheduler

    // Requests of drops and of other programs, added one after the other.
    void HandleAddRequests();
    TAddRequestQueue AddRequests_;
};
