#pragma once

#include "config/Options.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <limits>
#include <string>

// The keys of "options.xml", each listed once here: reading, writing and the options
// dialog's copying all walk these lists, so no value can be read without being written.

inline constexpr const char* kDefaultsSection = "Defaults";
inline constexpr const char* kWindowSection = "Window";
inline constexpr const char* kConfirmationSection = "Confirmation";
inline constexpr const char* kSoundSection = "Sound";

// How a key is read and written beyond what its type says.
enum class TKeyRule {
    Plain,
    SoundFile,       // an empty text, or a file that is not there, reads as the event's default file
    NormalGeometry,  // written only while the window's state is normal (0)
    AlwaysOff,       // never read, always written as off
};

struct TOptionKey {
    const char* Section;
    std::string Name;
    TKeyRule Rule = TKeyRule::Plain;
};

// The sound events, in the order of the dialog's rows.
struct TSoundEvent {
    const char* NameMessage;
    const char* FlagKey;
    const char* FileKey;
    const char* FileName;  // of the default sound, in the program's "Sounds" folder
    bool TOptions::*Flag;
    std::string TOptions::*File;
};

// clang-format off
inline constexpr TSoundEvent kSoundEvents[] = {
    {"sSoundProgramStart", "bSoundProgramStart", "sFileSoundProgramStart", "ProgramStart.wav",
     &TOptions::bSoundProgramStart, &TOptions::sFileSoundProgramStart},
    {"sSoundProgramExit", "bSoundProgramExit", "sFileSoundProgramExit", "ProgramExit.wav",
     &TOptions::bSoundProgramExit, &TOptions::sFileSoundProgramExit},
    {"sSoundShutDown", "bSoundShutDown", "sFileSoundShutDown", "ShutDown.wav", &TOptions::bSoundShutDown,
     &TOptions::sFileSoundShutDown},
    {"sSoundTaskAdd", "bSoundTaskAdd", "sFileSoundTaskAdd", "Add.wav", &TOptions::bSoundTaskAdd,
     &TOptions::sFileSoundTaskAdd},
    {"sSoundTaskDel", "bSoundTaskDel", "sFileSoundTaskDel", "Del.wav", &TOptions::bSoundTaskDel,
     &TOptions::sFileSoundTaskDel},
    {"sSoundTaskStart", "bSoundTaskStart", "sFileSoundTaskStart", "Start.wav", &TOptions::bSoundTaskStart,
     &TOptions::sFileSoundTaskStart},
    {"sSoundTaskStop", "bSoundTaskStop", "sFileSoundTaskStop", "Stop.wav", &TOptions::bSoundTaskStop,
     &TOptions::sFileSoundTaskStop},
    {"sSoundTaskComplete", "bSoundTaskComplete", "sFileSoundTaskComplete", "Complete.wav",
     &TOptions::bSoundTaskComplete, &TOptions::sFileSoundTaskComplete},
    {"sSoundTaskCompleteAll", "bSoundTaskCompleteAll", "sFileSoundTaskCompleteAll", "CompleteAll.wav",
     &TOptions::bSoundTaskCompleteAll, &TOptions::sFileSoundTaskCompleteAll},
};
// clang-format on
inline constexpr int kSoundEventCount = int(std::size(kSoundEvents));

// The questions that can be turned off, in the order of the dialog's rows. A flag that is
// on means: do not ask again.
struct TConfirmationFlag {
    const char* CaptionMessage;
    const char* Key;
    bool TOptions::*Flag;
};

// clang-format off
inline constexpr TConfirmationFlag kConfirmationFlags[] = {
    {"sdsApllyParamFromAnotherTask", "bdsApllyParamFromAnotherTask", &TOptions::bdsApllyParamFromAnotherTask},
    {"sdsAllTaskDelete", "bdsAllTaskDelete", &TOptions::bdsAllTaskDelete},
    {"sdsAllSelectedTaskDelete", "bdsAllSelectedTaskDelete", &TOptions::bdsAllSelectedTaskDelete},
    {"sdsAllSelectedTaskRestart", "bdsAllSelectedTaskRestart", &TOptions::bdsAllSelectedTaskRestart},
    {"sdsAllSelectedStartImmediatelly", "bdsAllSelectedStartImmediatelly", &TOptions::bdsAllSelectedStartImmediatelly},
    {"sdsClearLog", "bdsClearLog", &TOptions::bdsClearLog},
    {"sdsAllHistoryDelete", "bdsAllHistoryDelete", &TOptions::bdsAllHistoryDelete},
    {"sdsAllSelectedHistoryDelete", "bdsAllSelectedHistoryDelete", &TOptions::bdsAllSelectedHistoryDelete},
    {"sdsAllSelectedHistoryReloaded", "bdsAllSelectedHistoryReloaded", &TOptions::bdsAllSelectedHistoryReloaded},
    {"sdsHostsClear", "bdsHostsClear", &TOptions::bdsHostsClear},
    {"sdsAllSelectedHostsDelete", "bdsAllSelectedHostsDelete", &TOptions::bdsAllSelectedHostsDelete},
    {"sdsSchedulerClear", "bdsSchedulerClear", &TOptions::bdsSchedulerClear},
    {"sdsAllSelectedSchedulerDelete", "bdsAllSelectedSchedulerDelete", &TOptions::bdsAllSelectedSchedulerDelete},
    {"sdsSchedulerStartImmediatelly", "bdsSchedulerStartImmediatelly", &TOptions::bdsSchedulerStartImmediatelly},
    {"sdsAllRecycleBinDelete", "bdsAllRecycleBinDelete", &TOptions::bdsAllRecycleBinDelete},
    {"sdsAllSelectedRecycleBinDelete", "bdsAllSelectedRecycleBinDelete", &TOptions::bdsAllSelectedRecycleBinDelete},
    {"sdsAllSelectedRecycleBinReloaded", "bdsAllSelectedRecycleBinReloaded",
     &TOptions::bdsAllSelectedRecycleBinReloaded},
    {"sdsExitProgram", "bdsExitProgram", &TOptions::bdsExitProgram},
};
// clang-format on
inline constexpr int kConfirmationFlagCount = int(std::size(kConfirmationFlags));

// The lists whose columns are stored, each in a section of its own.
struct TColumnList {
    const char* Section;
    std::vector<TListColumnStore> TOptions::*Columns;
};

// clang-format off
inline constexpr TColumnList kColumnLists[] = {
    {"TaskListColumns", &TOptions::TaskListColumns},
    {"HistoryListColumns", &TOptions::HistoryListColumns},
    {"HostsListColumns", &TOptions::HostsListColumns},
    {"SchedulerListColumns", &TOptions::SchedulerListColumns},
    {"LogListColumns", &TOptions::LogListColumns},
    {"HistoryInfoColumns", &TOptions::HistoryInfoColumns},
    {"InfoTaskColumns", &TOptions::InfoTaskColumns},
    {"RecycleBinColumns", &TOptions::RecycleBinColumns},
};
// clang-format on

// The keys the options dialog edits, page by page. Each call is visit(key, value...) with
// the same value of every options object given (TOptions or const TOptions).
template <class TVisit, class... TOpts>
void ForEachDialogOptionKey(TVisit&& visit, TOpts&... o)
{
    const auto d = [](const char* name) { return TOptionKey{kDefaultsSection, name}; };

    // The task list, and what happens when every download has ended.
    visit(d("ListMaxActiveTask"), o.ListMaxActiveTask...);
    visit(d("ListAutoSave"), o.ListAutoSave...);
    visit(d("ListAutoSavePeriod"), o.ListAutoSavePeriod...);
    visit(d("ListDeleteTaskAfterComplete"), o.ListDeleteTaskAfterComplete...);
    visit(d("DuplicateTaskWhatToDo"), o.DuplicateTaskWhatToDo...);
    visit(d("AlraedyInDiskWhatToDo"), o.AlraedyInDiskWhatToDo...);
    visit(d("IncompleteTaskWhatToDo"), o.IncompleteTaskWhatToDo...);
    visit(d("bFinishAfterCompleteAll"), o.bFinishAfterCompleteAll...);
    visit(d("bShowFinishWarning"), o.bShowFinishWarning...);
    visit(d("iShowWarningTimeOut"), o.iShowWarningTimeOut...);
    visit(d("caFinishAction"), o.caFinishAction...);
    visit(d("bFinishForceCloseApplicattion"), o.bFinishForceCloseApplicattion...);

    // Downloads.
    visit(d("TaskMaxRetries"), o.TaskMaxRetries...);
    visit(d("TaskRetriesPause"), o.TaskRetriesPause...);
    visit(d("TaskBufferSize"), o.TaskBufferSize...);
    visit(d("bTaskErrorPauseTempTimeout"), o.bTaskErrorPauseTempTimeout...);
    visit(d("iTaskErrorPauseTempTimeout"), o.iTaskErrorPauseTempTimeout...);
    visit(d("iTaskErrorPauseTempRetries"), o.iTaskErrorPauseTempRetries...);
    visit(d("bTaskErrorMoveDown"), o.bTaskErrorMoveDown...);
    visit(d("TaskLogSaveToFile"), o.TaskLogSaveToFile...);
    visit(d("TaskLogLineMax"), o.TaskLogLineMax...);
    visit(d("bDetailedInfo"), o.bDetailedInfo...);
    visit(d("TaskReserveSpace"), o.TaskReserveSpace...);
    visit(d("TaskStopIfNotReserve"), o.TaskStopIfNotReserve...);
    visit(d("TaskGetDateFromServer"), o.TaskGetDateFromServer...);
    visit(d("bSetAtributes"), o.bSetAtributes...);

    // History.
    visit(d("bHistoryLineMax"), o.bHistoryLineMax...);
    visit(d("HistoryLineMax"), o.HistoryLineMax...);
    visit(d("bHistoryTimeMax"), o.bHistoryTimeMax...);
    visit(d("HistoryTimeMax"), o.HistoryTimeMax...);
    visit(d("bHistoryAddIncomplete"), o.bHistoryAddIncomplete...);

    // Hosts.
    visit(d("bTemporaryHostDefault"), o.bTemporaryHostDefault...);
    visit(d("bLimitConnectionNetbiosDef"), o.bLimitConnectionNetbiosDef...);
    visit(d("iMaxConnectionNetbiosDef"), o.iMaxConnectionNetbiosDef...);
    visit(d("bLimitConnectionFTPDef"), o.bLimitConnectionFTPDef...);
    visit(d("iMaxConnectionFTPDef"), o.iMaxConnectionFTPDef...);
    visit(d("bLimitConnectionHTTPDef"), o.bLimitConnectionHTTPDef...);
    visit(d("iMaxConnectionHTTPDef"), o.iMaxConnectionHTTPDef...);

    // Protocols.
    visit(d("bOtherProgramLAN"), o.bOtherProgramLAN...);
    visit(d("sOtherProgramLAN"), o.sOtherProgramLAN...);
    visit(d("sOtherProgramLANKey"), o.sOtherProgramLANKey...);
    visit(d("bUseCokies"), o.bUseCokies...);
    visit(d("bOtherProgramHTTP"), o.bOtherProgramHTTP...);
    visit(d("sOtherProgramHTTP"), o.sOtherProgramHTTP...);
    visit(d("sOtherProgramHTTPKey"), o.sOtherProgramHTTPKey...);
    visit(d("bUsePassiveFTP"), o.bUsePassiveFTP...);
    visit(d("iFTPMode"), o.iFTPMode...);
    visit(d("sFTPModeASCIIFileExt"), o.sFTPModeASCIIFileExt...);
    visit(d("bOtherProgramFTP"), o.bOtherProgramFTP...);
    visit(d("sOtherProgramFTP"), o.sOtherProgramFTP...);
    visit(d("sOtherProgramFTPKey"), o.sOtherProgramFTPKey...);

    // Connection and proxies.
    visit(d("bProxyBypass"), o.bProxyBypass...);
    visit(d("sProxyBypass"), o.sProxyBypass...);

    // Integration and the clipboard.
    visit(d("StartWithWindows"), o.StartWithWindows...);
    visit(TOptionKey{kDefaultsSection, "IntegrateToIE", TKeyRule::AlwaysOff}, o.IntegrateToIE...);
    visit(d("bMonitorClipboard"), o.bMonitorClipboard...);
    visit(d("bMonitorHTTP"), o.bMonitorHTTP...);
    visit(d("bMonitorFTP"), o.bMonitorFTP...);
    visit(d("bMonitorNetbios"), o.bMonitorNetbios...);
    visit(d("bMonitorLocal"), o.bMonitorLocal...);
    visit(d("bFilterClipboard"), o.bFilterClipboard...);
    visit(d("sFilterClipboard"), o.sFilterClipboard...);

    // The interface.
    visit(d("MinimizeToTrayX"), o.MinimizeToTrayX...);
    visit(d("StartMinimized"), o.StartMinimized...);
    visit(d("AnimateTray"), o.AnimateTray...);
    visit(d("bGraphTrafVisible"), o.bGraphTrafVisible...);
    visit(d("iSizeType"), o.iSizeType...);
    visit(d("iSpeedType"), o.iSpeedType...);
    visit(d("MeasureSpeedInBits"), o.MeasureSpeedInBits...);
    visit(d("ShowDefIcons"), o.ShowDefIcons...);
    visit(d("ShowSplashScreen"), o.ShowSplashScreen...);
    visit(d("bShowTabPanel"), o.bShowTabPanel...);
    visit(d("bShowStatusBar"), o.bShowStatusBar...);
    visit(d("bShowTabs"), o.bShowTabs...);
    visit(d("bShowHintInStatusBar"), o.bShowHintInStatusBar...);
    visit(d("bShowHintForListView"), o.bShowHintForListView...);
    visit(d("HintAfterCompleteAll"), o.HintAfterCompleteAll...);
    visit(d("bHintAfterError"), o.bHintAfterError...);
    visit(d("bHintAfterComplete"), o.bHintAfterComplete...);
    visit(d("bHintAfterStart"), o.bHintAfterStart...);
    visit(d("bShowHintOnlyNonActive"), o.bShowHintOnlyNonActive...);
    visit(d("DblClickTask"), o.DblClickTask...);
    visit(d("DblClickComplete"), o.DblClickComplete...);
    visit(d("DblClickError"), o.DblClickError...);

    // Sounds.
    visit(TOptionKey{kSoundSection, "bUseSounds"}, o.bUseSounds...);
    for (const TSoundEvent& event : kSoundEvents) {
        visit(TOptionKey{kSoundSection, event.FlagKey}, (o.*event.Flag)...);
        visit(TOptionKey{kSoundSection, event.FileKey, TKeyRule::SoundFile}, (o.*event.File)...);
    }

    // Confirmations.
    for (const TConfirmationFlag& flag : kConfirmationFlags)
        visit(TOptionKey{kConfirmationSection, flag.Key}, (o.*flag.Flag)...);
    visit(d("DialogTimeout"), o.DialogTimeout...);
}

// Every key of the file, in the order they are read: the recent lists first, the column
// sections last.
template <class TVisit, class... TOpts>
void ForEachOptionKey(TVisit&& visit, TOpts&... o)
{
    const auto d = [](const char* name) { return TOptionKey{kDefaultsSection, name}; };

    visit(d("ListDestination"), o.ListDestination...);
    visit(d("ListSource"), o.ListSource...);
    visit(d("ListFinded"), o.ListFinded...);
    visit(d("ListFilter"), o.ListFilter...);

    ForEachDialogOptionKey(visit, o...);

    visit(d("DefaultLang"), o.DefaultLang...);
    visit(d("ListDestination_MaxCount"), o.ListDestination_MaxCount...);
    visit(d("ListSource_MaxCount"), o.ListSource_MaxCount...);
    visit(d("ListFinded_MAxCount"), o.ListFinded_MAxCount...);
    visit(d("ListFilter_MAxCount"), o.ListFilter_MAxCount...);
    visit(d("DefaultTaskStart"), o.DefaultTaskStart...);
    visit(d("iLastPauseTimeout"), o.iLastPauseTimeout...);
    visit(d("bTaskLogAutoScroll"), o.bTaskLogAutoScroll...);
    visit(d("TaskTimeout"), o.TaskTimeout...);
    visit(d("DefaultUserLogin"), o.DefaultUserLogin...);
    visit(d("DefaultUserPassword"), o.DefaultUserPassword...);
    visit(d("DefaultLoginToServer"), o.DefaultLoginToServer...);
    visit(d("bRecycleBinLineMax"), o.bRecycleBinLineMax...);
    visit(d("iRecycleBinLineMax"), o.iRecycleBinLineMax...);
    visit(d("ilvPagesWidth"), o.ilvPagesWidth...);
    visit(d("ipnlLogHeight"), o.ipnlLogHeight...);
    visit(d("ipnlLogHeightHistoryInfo"), o.ipnlLogHeightHistoryInfo...);
    visit(d("iGraphHeight"), o.iGraphHeight...);
    visit(d("iPageInfoActive"), o.iPageInfoActive...);
    visit(d("bVisibleInfo"), o.bVisibleInfo...);
    visit(d("bVisibleHistoryInfo"), o.bVisibleHistoryInfo...);
    visit(d("bTreeManagerTaskStripped"), o.bTreeManagerTaskStripped...);
    visit(d("bTreeLogTaskStripped"), o.bTreeLogTaskStripped...);
    visit(d("bTreeInfoTaskStripped"), o.bTreeInfoTaskStripped...);
    visit(d("bTreeInfoHistoryStripped"), o.bTreeInfoHistoryStripped...);
    visit(d("bTreeManagerHostStripped"), o.bTreeManagerHostStripped...);
    visit(d("bTreeManagerHistoryStripped"), o.bTreeManagerHistoryStripped...);
    visit(d("bTreeManagerRecycleBinStripped"), o.bTreeManagerRecycleBinStripped...);
    visit(d("bTreeManagerSchedulerStripped"), o.bTreeManagerSchedulerStripped...);
    visit(d("bTreeManagerTaskVertGrid"), o.bTreeManagerTaskVertGrid...);
    visit(d("bTreeLogTaskVertGrid"), o.bTreeLogTaskVertGrid...);
    visit(d("bTreeInfoTaskVertGrid"), o.bTreeInfoTaskVertGrid...);
    visit(d("bTreeInfoHistoryVertGrid"), o.bTreeInfoHistoryVertGrid...);
    visit(d("bTreeManagerHostVertGrid"), o.bTreeManagerHostVertGrid...);
    visit(d("bTreeManagerHistoryVertGrid"), o.bTreeManagerHistoryVertGrid...);
    visit(d("bTreeManagerRecycleBinVertGrid"), o.bTreeManagerRecycleBinVertGrid...);
    visit(d("bTreeManagerSchedulerVertGrid"), o.bTreeManagerSchedulerVertGrid...);
    visit(d("bTreeManagerTaskHorzGrid"), o.bTreeManagerTaskHorzGrid...);
    visit(d("bTreeLogTaskHorzGrid"), o.bTreeLogTaskHorzGrid...);
    visit(d("bTreeInfoTaskHorzGrid"), o.bTreeInfoTaskHorzGrid...);
    visit(d("bTreeInfoHistoryHorzGrid"), o.bTreeInfoHistoryHorzGrid...);
    visit(d("bTreeManagerHostHorzGrid"), o.bTreeManagerHostHorzGrid...);
    visit(d("bTreeManagerHistoryHorzGrid"), o.bTreeManagerHistoryHorzGrid...);
    visit(d("bTreeManagerRecycleBinHorzGrid"), o.bTreeManagerRecycleBinHorzGrid...);
    visit(d("bTreeManagerSchedulerHorzGrid"), o.bTreeManagerSchedulerHorzGrid...);

    const auto w = [](const char* name, TKeyRule rule) { return TOptionKey{kWindowSection, name, rule}; };
    visit(w("MainWindowTop", TKeyRule::NormalGeometry), o.MainWindowTop...);
    visit(w("MainWindowLeft", TKeyRule::NormalGeometry), o.MainWindowLeft...);
    visit(w("MainWindowWidth", TKeyRule::NormalGeometry), o.MainWindowWidth...);
    visit(w("MainWindowHeight", TKeyRule::NormalGeometry), o.MainWindowHeight...);
    visit(w("MainWindowState", TKeyRule::Plain), o.MainWindowState...);

    for (const TColumnList& list : kColumnLists) {
        std::size_t count = std::numeric_limits<std::size_t>::max();
        ((count = std::min(count, (o.*list.Columns).size())), ...);
        for (std::size_t i = 0; i < count; ++i) {
            const std::string n = std::to_string(i);
            visit(TOptionKey{list.Section, "Visible" + n}, (o.*list.Columns)[i].Visible...);
            visit(TOptionKey{list.Section, "Width" + n}, (o.*list.Columns)[i].Width...);
            visit(TOptionKey{list.Section, "Alignment" + n}, (o.*list.Columns)[i].Alignment...);
            visit(TOptionKey{list.Section, "Position" + n}, (o.*list.Columns)[i].Position...);
            visit(TOptionKey{list.Section, "SortDirection" + n}, (o.*list.Columns)[i].SortDirection...);
            visit(TOptionKey{list.Section, "Sorted" + n}, (o.*list.Columns)[i].Sorted...);
        }
    }
}
