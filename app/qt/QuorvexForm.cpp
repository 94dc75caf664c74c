#include "app/qt/QuorvexForm.h"

#include "app/ClipboardMonitor.h"
#include "app/ProgramSession.h"
#include "app/ShellNotifier.h"
#include "app/WindowTitle.h"
#include "app/qt/MessageDlgTimeout.h"
#include "app/qt/SoundPlayer.h"
#include "app/qt/StatusPanels.h"
#include "app/qt/TrayIcon.h"
#include "config/Language.h"
#include "config/Options.h"
#include "config/qt/QtLangWindow.h"
#include "core/Clock.h"
#include "core/MainThread.h"
#include "core/MessageCatalogue.h"
#include "core/qt/EventLoopHandOver.h"
#include "hosts/SpeedFormats.h"
#include "hosts/qt/QtHostDialogs.h"
#include "records/qt/HistoryPage.h"
#include "records/qt/QtRecordDialogs.h"
#include "tasks/ManagerTask.h"
#include "tasks/qt/QtDesktop.h"
#include "tasks/qt/QtMessageBoxes.h"
#include "tasks/qt/QtTaskDialogs.h"
#include "tasks/qt/TaskListView.h"
#include "tasks/qt/TaskPage.h"
#include "ui_QuorvexForm.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QMenu>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QWindow>

// The program's images live in the library; a static library's resources are registered by hand.
static void InitResources()
{
    Q_INIT_RESOURCE(quorvex);
}

namespace {

constexpr int kTickInterval = 500;  // milliseconds

}  // namespace

// What the task events do on the desktop: balloons and the animation of the tray icon,
// sounds, and the window.
class TQuorvexForm::TShellOutput : public IShellOutput {
public:
    explicit TShellOutput(TQuorvexForm& form) : Form_(form) {}

    void ShowBalloon(const std::string& title, const std::string& text, TBalloonKind kind) override
    {
        Form_.Tray_->ShowBalloon(QString::fromStdString(title), QString::fromStdString(text), kind);
    }
    void PlaySoundFile(const std::string& file) override { Form_.Sounds_->Play(QString::fromStdString(file)); }
    void StartTrayAnimation() override { Form_.Tray_->StartAnimation(); }
    void StopTrayAnimation() override { Form_.Tray_->StopAnimation(); }
    bool TrayAnimating() const override { return Form_.Tray_->Animating(); }
    bool ApplicationActive() const override { return QApplication::activeWindow() != nullptr; }
    void ShowTaskPage() override { Form_.ShowTaskPage(); }
    void RunCompletionAction() override { Form_.PostCompletionAction(); }

private:
    TQuorvexForm& Form_;
};

TQuorvexForm::TQuorvexForm(TMainThread& mainThread, TLangChanger& language, const TDataFiles& files, bool startHidden)
    : Ui_(std::make_unique<Ui::QuorvexForm>()), MainThread_(mainThread), Language_(language), Files_(files)
{
    InitResources();
    QApplication::setWindowIcon(QIcon(":/quorvex.svg"));
    // Outside a desktop that names its icon theme, the common one of the icons the window asks for.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == "hicolor")
        QIcon::setThemeName("Adwaita");
    Ui_->setupUi(this);
    FormCreate(startHidden);
}

TQuorvexForm::~TQuorvexForm()
{
    FormDestroy();
}

TManagerTask& TQuorvexForm::Tasks()
{
    return Session_->Tasks();
}

QAction* TQuorvexForm::Action(const char* name) const
{
    return findChild<QAction*>(QString::fromLatin1(name));
}

void TQuorvexForm::FormCreate(bool startHidden)
{
    const TOptions& options = Options();
    ApplyPlacement();
    Clock_ = std::make_unique<TSystemClock>();
    Desktop_ = std::make_unique<TQtDesktop>();
    Boxes_ = std::make_unique<TQtMessageBoxes>(this);
    Dialogs_ = std::make_unique<TQtTaskDialogs>(this, Language_);
    RecordDialogs_ = std::make_unique<TQtRecordDialogs>(this, &Language_, Desktop_.get());
    HostDialogs_ = std::make_unique<TQtHostDialogs>(this, Language_);
    Sounds_ = new TSoundPlayer(this);
    Tray_ = new TTrayIcon(this);
    ShellOutput_ = std::make_unique<TShellOutput>(*this);
    Notifier_ = std::make_unique<TShellNotifier>(*ShellOutput_);
    Notifier_->ProgramStarted();

    TranslateWindow();
    const QString title = QString::fromStdString(MainWindowTitle());
    QGuiApplication::setApplicationDisplayName(title);
    setWindowTitle(title);
    Tray_->SetToolTip(title);
    // The web page is a text browser; "about:blank" is an empty one.
    Ui_->wbVelmora->clear();

    Initializing_ = true;
    setAcceptDrops(true);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TQuorvexForm::ClipboardChanged);
    NoteClipboardReadable();

    ServeFromEventLoop(MainThread_, this);
    TaskPage_ = new TTaskPage(Ui_->tsManagerTask);
    Ui_->tsManagerTask->layout()->addWidget(TaskPage_);
    TaskPage_->ApplyColumns();
    Session_ =
        std::make_unique<TProgramSession>(Files_, TProgramPorts{MainThread_, *Clock_, *Notifier_, *Dialogs_, *Desktop_,
                                                                *Boxes_, *HostDialogs_, *RecordDialogs_});
    Dialogs_->ShowPropertiesReadOnly = [this](TTaskItem& task) { Tasks().ShowTaskProperties(task, true); };
    Dialogs_->PriorityCaptions = [this] { return PriorityCaptions(Session_->ConnectionTypes()); };
    Tasks().OnTickRequested = [this] {
        if (TickPosted_)
            return;
        TickPosted_ = true;
        QMetaObject::invokeMethod(
            this, [this] { Tick(); }, Qt::QueuedConnection);
    };
    TaskPage_->Attach(&Tasks());
    connect(TaskPage_->TaskList().selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TQuorvexForm::UpdateCommands);
    ClipboardMonitor_ = std::make_unique<TClipboardMonitor>(*Notifier_, Tasks(), *Dialogs_);
    BuildActiveTaskPopup();
    Initializing_ = false;

    TrayMenu_ = new QMenu(this);
    for (const char* name :
         {"actTrayShowWindow", "-", "actTaskAdd", "actTaskStartAll", "actTaskPauseAll", "-", "actMonitorClipboard",
          "actAutoAfterCompleteAll", "-", "actOptions", "-", "actAbout", "actExit"}) {
        if (name[0] == '-')
            TrayMenu_->addSeparator();
        else
            TrayMenu_->addAction(Action(name));
    }
    TrayMenu_->setDefaultAction(Action("actTrayShowWindow"));
    Tray_->SetMenu(TrayMenu_);
    connect(Tray_, &TTrayIcon::WindowRequested, this, &TQuorvexForm::ShowWindow);
    Tray_->Show();

    StatusPanels_ = new TStatusPanels(*this);
    Ui_->StatusBar1->addWidget(StatusPanels_, 1);
    Ui_->StatusBar1->setVisible(options.bShowStatusBar);

    ConnectCommands();
    ConnectHistory();
    ConnectRecords();
    ConnectGraph();
    ConnectAutomation();
    ConnectHosts();
    ConnectOptions();
    // Every command's hint goes to the status bar's last panel while the pointer is on it.
    for (QAction* action : findChildren<QAction*>())
        connect(action, &QAction::hovered, this, [this, action] {
            if (Options().bShowHintInStatusBar)
                StatusPanels_->SetHint(action->toolTip());
        });
    // Once more: the lists are made now.
    TranslateWindow();
    BuildPageTree();
    Ui_->pnlPages->setVisible(options.bShowTabPanel);
    Ui_->pcPages->tabBar()->setVisible(options.bShowTabs);
    Ui_->pcPages->setCurrentIndex(0);
    connect(Ui_->pcPages, &QTabWidget::currentChanged, this, &TQuorvexForm::PageChanged);

    Timer1_.setInterval(kTickInterval);
    connect(&Timer1_, &QTimer::timeout, this, &TQuorvexForm::Tick);
    Timer1_.start();
    // Tasks due to start start now, not half a second later.
    Tick();
    if (startHidden)
        HideToTray();
}

void TQuorvexForm::FormDestroy()
{
    if (Destroyed_)
        return;
    Destroyed_ = true;
    Timer1_.stop();
    Tray_->Hide();
    Notifier_->ProgramExiting();
    QGuiApplication::clipboard()->disconnect(this);
    TOptions& options = Options();
    if (Ui_->pnlPages->isVisible())
        options.ilvPagesWidth = Ui_->splPages->sizes().value(0, options.ilvPagesWidth);
    TaskPage_->ReadColumns();
    CloseRecords();
    // The page lets go of the list before the list goes.
    TaskPage_->Attach(nullptr);
    DisconnectHistory();
    CloseGraph();
    DisconnectHosts();
    Session_->Close();
    StorePlacement();
}

void TQuorvexForm::ApplyPlacement()
{
    const TOptions& options = Options();
    setGeometry(options.MainWindowLeft, options.MainWindowTop, std::max(options.MainWindowWidth, 320),
                std::max(options.MainWindowHeight, 240));
    // A window placed on a screen that is gone comes back onto the first one.
    const QScreen* screen = QGuiApplication::screenAt(geometry().center());
    if (!screen && QGuiApplication::primaryScreen())
        move(QGuiApplication::primaryScreen()->availableGeometry().topLeft());
    if (options.MainWindowState == 2)
        setWindowState(Qt::WindowMaximized);
}

void TQuorvexForm::StorePlacement()
{
    TOptions& options = Options();
    options.MainWindowState = isMaximized() ? 2 : isMinimized() ? 1 : 0;
    // The geometry the window has when it is neither maximised nor minimised.
    const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    if (normal.isValid()) {
        options.MainWindowLeft = normal.left();
        options.MainWindowTop = normal.top();
        options.MainWindowWidth = normal.width();
        options.MainWindowHeight = normal.height();
    }
}

void TQuorvexForm::Tick()
{
    TickPosted_ = false;
    if (Destroyed_)
        return;
    Tasks().Tick();
    Tasks().PollAutoSave();
    TaskPage_->Tick();
    HistoryPage_->Tick();
    TickRecords();
    StatusPanels_->update();
    UpdateCommands();
}

void TQuorvexForm::PostAddFiles(const std::string& paths, const std::string& folders, bool silent)
{
    AddRequests_.Push({paths, folders, silent});
    // One being handled takes the next itself when its dialogs are done.
    if (!AddRequests_.Handling())
        QMetaObject::invokeMethod(this, &TQuorvexForm::HandleAddRequests, Qt::QueuedConnection);
}

void TQuorvexForm::HandleAddRequests()
{
    while (std::optional<TAddRequest> request = AddRequests_.Next()) {
        if (Destroyed_)
            return;
        ShowTaskPage();
        Tasks().AddFiles(request->Paths, request->Folders, request->Silent);
        AddRequests_.Done();
    }
}

void TQuorvexForm::ShowWindow()
{
    HiddenInTray_ = false;
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TQuorvexForm::ShowTaskPage()
{
    ShowWindow();
    Ui_->pcPages->setCurrentWidget(Ui_->tsManagerTask);
}

void TQuorvexForm::HideToTray()
{
    // Without a tray the window stays in the task bar: nothing could bring it back.
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    HiddenInTray_ = true;
    hide();
}

void TQuorvexForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && !Initializing_)
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (isMinimized())
                    HideToTray();
            },
            Qt::QueuedConnection);
}

void TQuorvexForm::closeEvent(QCloseEvent* event)
{
    if (Destroyed_) {
        event->accept();
        return;
    }
    event->ignore();
    if (!ExitConfirmed_ && Options().MinimizeToTrayX && event->spontaneous()) {
        HideToTray();
        return;
    }
    ConfirmExit();
}

void TQuorvexForm::ConfirmExit()
{
    // A dialog of the user's is answered first: closing under it would lose what it holds.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        QApplication::beep();
        modal->raise();
        modal->activateWindow();
        return;
    }
    TOptions& options = Options();
    if (!ExitConfirmed_
        && !ConfirmWithTimeout(this, Language_, {}, Translate("sExitProgram"), options.DialogTimeout,
                               options.bdsExitProgram, 3))
        return;
    ExitConfirmed_ = true;
    FormDestroy();
    hide();
    emit Closed();
}

void TQuorvexForm::TranslateWindow()
{
    // The file is read once; a start that showed the splash has read it already.
    if (Language_.LangFile().empty())
        LoadLanguage(Language_);
    TranslateQtForm(Language_, *this);
}
