#pragma once

#include "config/ExistingFileDecision.h"
#include "config/ListColumnStore.h"

#include <string>
#include <vector>

// Program-wide option values, named by their keys in "options.xml", each with its default.
// Read at start and changed by the user's choices, on the main thread only: a worker copies
// the values it needs when its run starts.
struct TOptions {
    // The language file in use, in LanguagesFolder.
    std::string DefaultLang = "english.lng";

    // Display units.
    int iSizeType = 4;                // 0 bytes, 1 KB, 2 MB, 3 GB, 4 automatic
    int iSpeedType = 3;               // 0 per second, 1 kilo, 2 mega, 3 automatic
    bool MeasureSpeedInBits = true;

    // Clipboard monitoring by kind of link.
    bool bMonitorFTP = true;
    bool bMonitorHTTP = true;
    bool bMonitorNetbios = true;
    bool bMonitorLocal = false;

    // FTP transfer mode: 0 image, 1 text, 2 text for the extensions below.
    int iFTPMode = 0;
    std::string sFTPModeASCIIFileExt = "txt htm html";

    // Transfers.
    int TaskMaxRetries = 5;
    int TaskRetriesPause = 5;         // seconds
    int TaskBufferSize = 64;          // KiB
    bool bTaskErrorPauseTempTimeout = true;
    int iTaskErrorPauseTempTimeout = 30;   // minutes
    int iTaskErrorPauseTempRetries = 100;
    bool bTaskErrorMoveDown = false;
    bool bDetailedInfo = true;
    bool TaskReserveSpace = true;
    bool TaskStopIfNotReserve = false;
    bool TaskGetDateFromServer = true;
    bool bSetAtributes = true;
    TExistingFileDecision AlraedyInDiskWhatToDo = efAsk;

    // Task logs.
    bool TaskLogSaveToFile = true;
    int TaskLogLineMax = 300;

    // Task list and its commands.
    int ListMaxActiveTask = 3;
    bool ListAutoSave = true;
    int ListAutoSavePeriod = 10;      // minutes
    bool ListDeleteTaskAfterComplete = true;
    int IncompleteTaskWhatToDo = 2;   // 0 delete the file, 1 leave it, 2 ask
    int DefaultTaskStart = 0;         // a TTaskStart
    int iLastPauseTimeout = 30;       // minutes
    int DblClickTask = 0;
    int DblClickError = 0;
    int DblClickComplete = 0;
    bool bHistoryAddIncomplete = true;
    bool bTemporaryHostDefault = true;

    // Hosts that tasks add: connection limits by kind of link, and the login of new tasks
    // on no host.
    bool bLimitConnectionNetbiosDef = true;
    int iMaxConnectionNetbiosDef = 1;
    bool bLimitConnectionFTPDef = true;
    int iMaxConnectionFTPDef = 1;
    bool bLimitConnectionHTTPDef = true;
    int iMaxConnectionHTTPDef = 1;
    bool DefaultLoginToServer = false;
    std::string DefaultUserLogin;
    std::string DefaultUserPassword;  // plain text, as stored

    // Protocols.
    bool bUseCokies = true;
    bool bUsePassiveFTP = false;

    // Confirmations: true means the question is not asked again.
    bool bdsAllTaskDelete = false;
    bool bdsAllSelectedTaskDelete = false;
    bool bdsAllSelectedTaskRestart = false;
    bool bdsAllSelectedStartImmediatelly = false;
    bool bdsHostsClear = false;
    bool bdsAllSelectedHostsDelete = false;
    bool bdsApllyParamFromAnotherTask = false;
    bool bdsClearLog = false;

    // Adding tasks: what a duplicate of a listed task does (0 rename it, 1 do not add it,
    // 2 ask), how long a timed question waits (seconds), and the task dialog's remembered
    // sources and destination folders, newest first.
    int DuplicateTaskWhatToDo = 2;
    int DialogTimeout = 30;
    std::vector<std::string> ListSource;
    int ListSource_MaxCount = 8;
    std::vector<std::string> ListDestination;
    int ListDestination_MaxCount = 8;

    // The task log follows new lines.
    bool bTaskLogAutoScroll = true;

    // Opening resources with another program than the desktop's, by kind of link: whether
    // to, the program, and its argument template where "%PATH%" stands for the resource.
    bool bOtherProgramLAN = false;
    std::string sOtherProgramLAN;
    std::string sOtherProgramLANKey = "%PATH%";
    bool bOtherProgramFTP = false;
    std::string sOtherProgramFTP;
    std::string sOtherProgramFTPKey = "%PATH%";
    bool bOtherProgramHTTP = false;
    std::string sOtherProgramHTTP;
    std::string sOtherProgramHTTPKey = "%PATH%";

    // History, recycle bin and scheduler: their limits, list hints, remembered texts, and
    // their confirmations (section "Confirmation").
    bool bHistoryLineMax = true;
    int HistoryLineMax = 300;         // records
    bool bHistoryTimeMax = true;
    int HistoryTimeMax = 30;          // days
    bool bRecycleBinLineMax = true;
    int iRecycleBinLineMax = 300;     // records
    bool bShowHintForListView = true;
    std::vector<std::string> ListFilter;   // recent name filters of the history, newest first
    int ListFilter_MAxCount = 8;
    std::vector<std::string> ListFinded;   // recent texts of the find dialog, newest first
    int ListFinded_MAxCount = 8;
    bool bdsAllHistoryDelete = false;
    bool bdsAllSelectedHistoryDelete = false;
    bool bdsAllSelectedHistoryReloaded = false;
    bool bdsAllRecycleBinDelete = false;
    bool bdsAllSelectedRecycleBinDelete = false;
    bool bdsAllSelectedRecycleBinReloaded = false;
    bool bdsSchedulerClear = false;
    bool bdsAllSelectedSchedulerDelete = false;
    bool bdsSchedulerStartImmediatelly = false;

    // Proxies: whether the hosts listed are reached without one (names, "*.domain" and
    // addresses, separated by ";", "," or line ends).
    bool bProxyBypass = false;
    std::string sProxyBypass;

    // What happens when the last download has ended: whether anything does, a timed
    // warning first and its seconds, the action (0 shut down, 1 restart, 2 hibernate,
    // 3 sleep, 4 log off, 5 close the program) and whether other programs are forced to close.
    bool bFinishAfterCompleteAll = false;
    bool bShowFinishWarning = true;
    int iShowWarningTimeOut = 30;
    int caFinishAction = 0;
    bool bFinishForceCloseApplicattion = true;

    // Integration: both starting with the session and the file-manager menus are states of
    // the system, read from it at start (ExplorerIntegration has no key); the browser is
    // never integrated.
    bool StartWithWindows = false;
    bool ExplorerIntegration = false;
    bool IntegrateToIE = false;
    // Clipboard monitoring at all, and whether only names ending in the extension words
    // (separated by blanks or line ends) are taken.
    bool bMonitorClipboard = true;
    bool bFilterClipboard = true;
    std::string sFilterClipboard = "EXE ZIP ARJ RAR LZH Z GZ GZIP TAR BIN MP3 AVI MPG MPEG QT PLJ ASF MOV WMA WMV "
                                   "R0* R1* A0* A1* TIF TIFF ACE";

    // The window, the tray and the notifications.
    bool MinimizeToTrayX = false;
    bool StartMinimized = false;
    bool AnimateTray = true;
    bool bGraphTrafVisible = true;
    bool ShowDefIcons = true;
    bool ShowSplashScreen = true;
    bool bShowTabPanel = true;
    bool bShowStatusBar = true;
    bool bShowTabs = false;
    bool bShowHintInStatusBar = true;
    bool HintAfterCompleteAll = true;
    bool bHintAfterError = true;
    bool bHintAfterComplete = true;
    bool bHintAfterStart = true;
    bool bShowHintOnlyNonActive = true;

    // Sounds: on at all, then per event whether it sounds and its file. A file that is not
    // there reads as the event's file in the program's "Sounds" folder.
    bool bUseSounds = false;
    bool bSoundProgramStart = true;
    bool bSoundProgramExit = true;
    bool bSoundShutDown = true;
    bool bSoundTaskAdd = true;
    bool bSoundTaskDel = true;
    bool bSoundTaskStart = true;
    bool bSoundTaskStop = true;
    bool bSoundTaskComplete = true;
    bool bSoundTaskCompleteAll = true;
    std::string sFileSoundProgramStart;
    std::string sFileSoundProgramExit;
    std::string sFileSoundShutDown;
    std::string sFileSoundTaskAdd;
    std::string sFileSoundTaskDel;
    std::string sFileSoundTaskStart;
    std::string sFileSoundTaskStop;
    std::string sFileSoundTaskComplete;
    std::string sFileSoundTaskCompleteAll;

    bool bdsExitProgram = false;

    // Read and written back; nothing uses it.
    int TaskTimeout = 1000;

    // The main window's panels (pixels), the info page in front, and whether the task and
    // history info panels are collapsed.
    int ilvPagesWidth = 100;
    int ipnlLogHeight = 100;
    int ipnlLogHeightHistoryInfo = 100;
    int iGraphHeight = 50;
    int iPageInfoActive = 0;
    bool bVisibleInfo = true;
    bool bVisibleHistoryInfo = true;

    // Striped rows and grid lines of the task, log, task info, history info, host, history,
    // recycle-bin and scheduler lists.
    bool bTreeManagerTaskStripped = true;
    bool bTreeLogTaskStripped = true;
    bool bTreeInfoTaskStripped = true;
    bool bTreeInfoHistoryStripped = true;
    bool bTreeManagerHostStripped = true;
    bool bTreeManagerHistoryStripped = true;
    bool bTreeManagerRecycleBinStripped = true;
    bool bTreeManagerSchedulerStripped = true;
    bool bTreeManagerTaskVertGrid = true;
    bool bTreeLogTaskVertGrid = true;
    bool bTreeInfoTaskVertGrid = true;
    bool bTreeInfoHistoryVertGrid = true;
    bool bTreeManagerHostVertGrid = true;
    bool bTreeManagerHistoryVertGrid = true;
    bool bTreeManagerRecycleBinVertGrid = true;
    bool bTreeManagerSchedulerVertGrid = false;
    bool bTreeManagerTaskHorzGrid = true;
    bool bTreeLogTaskHorzGrid = true;
    bool bTreeInfoTaskHorzGrid = true;
    bool bTreeInfoHistoryHorzGrid = true;
    bool bTreeManagerHostHorzGrid = true;
    bool bTreeManagerHistoryHorzGrid = true;
    bool bTreeManagerRecycleBinHorzGrid = true;
    bool bTreeManagerSchedulerHorzGrid = false;

    // The main window's placement; the geometry is that of the normal state, kept while the
    // window is maximised or minimised (state 0 normal, 1 minimised, 2 maximised).
    int MainWindowTop = 0;
    int MainWindowLeft = 0;
    int MainWindowWidth = 640;
    int MainWindowHeight = 480;
    int MainWindowState = 0;

    // The stored columns of the eight lists.
    // Widths in pixels that show a first run's texts whole.
    std::vector<TListColumnStore> TaskListColumns =
        DefaultListColumns({220, 40, 50, 80, 80, 100, 130, 70, 70, 90, 60, 280, 200});
    std::vector<TListColumnStore> HistoryListColumns = DefaultListColumns({220, 280, 200, 80, 130, 130, 70, 70});
    std::vector<TListColumnStore> HostsListColumns = DefaultListColumns({200, 200, 100, 100});
    std::vector<TListColumnStore> SchedulerListColumns = DefaultListColumns({220, 130, 130, 100, 200});
    std::vector<TListColumnStore> LogListColumns = DefaultListColumns({50, 90, 80, 600});
    std::vector<TListColumnStore> HistoryInfoColumns = DefaultListColumns({180, 500});
    std::vector<TListColumnStore> InfoTaskColumns = DefaultListColumns({180, 500});
    std::vector<TListColumnStore> RecycleBinColumns = DefaultListColumns({220, 80, 130, 130, 280, 200});
};

// The one instance the whole program reads.
TOptions& Options();
