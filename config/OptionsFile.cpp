#include "config/OptionsFile.h"

#include <type_traits>
#include <utility>

namespace {

// Reads one section's keys, each defaulting to the value it replaces.
struct TSectionReader {
    const TXMLStorage& Store;
    std::string Section;

    void operator()(const char* key, int& value) const { value = Store.ReadInteger(Section, key, value); }
    void operator()(const char* key, bool& value) const { value = Store.ReadBool(Section, key, value); }
    void operator()(const char* key, std::string& value) const { value = Store.ReadString(Section, key, value); }
    // A list the store lacks reads empty, like one stored empty: either keeps the value.
    void operator()(const char* key, std::vector<std::string>& value) const
    {
        std::vector<std::string> stored;
        Store.ReadStrings(Section, key, stored);
        if (!stored.empty())
            value = std::move(stored);
    }
    // Enumerations are stored as their ordinal.
    template <class E>
        requires std::is_enum_v<E>
    void operator()(const char* key, E& value) const
    {
        value = static_cast<E>(Store.ReadInteger(Section, key, static_cast<int>(value)));
    }
};

} // namespace

void ReadOptions(const TXMLStorage& store, TOptions& o)
{
    const TSectionReader defaults{store, "Defaults"};
    defaults("DefaultLang", o.DefaultLang);
    defaults("iSizeType", o.iSizeType);
    defaults("iSpeedType", o.iSpeedType);
    defaults("MeasureSpeedInBits", o.MeasureSpeedInBits);
    defaults("bMonitorFTP", o.bMonitorFTP);
    defaults("bMonitorHTTP", o.bMonitorHTTP);
    defaults("bMonitorNetbios", o.bMonitorNetbios);
    defaults("bMonitorLocal", o.bMonitorLocal);
    defaults("iFTPMode", o.iFTPMode);
    defaults("sFTPModeASCIIFileExt", o.sFTPModeASCIIFileExt);
    defaults("TaskMaxRetries", o.TaskMaxRetries);
    defaults("TaskRetriesPause", o.TaskRetriesPause);
    defaults("TaskBufferSize", o.TaskBufferSize);
    defaults("bTaskErrorPauseTempTimeout", o.bTaskErrorPauseTempTimeout);
    defaults("iTaskErrorPauseTempTimeout", o.iTaskErrorPauseTempTimeout);
    defaults("iTaskErrorPauseTempRetries", o.iTaskErrorPauseTempRetries);
    defaults("bTaskErrorMoveDown", o.bTaskErrorMoveDown);
    defaults("bDetailedInfo", o.bDetailedInfo);
    defaults("TaskReserveSpace", o.TaskReserveSpace);
    defaults("TaskStopIfNotReserve", o.TaskStopIfNotReserve);
    defaults("TaskGetDateFromServer", o.TaskGetDateFromServer);
    defaults("bSetAtributes", o.bSetAtributes);
    defaults("AlraedyInDiskWhatToDo", o.AlraedyInDiskWhatToDo);
    defaults("TaskLogSaveToFile", o.TaskLogSaveToFile);
    defaults("TaskLogLineMax", o.TaskLogLineMax);
    defaults("ListMaxActiveTask", o.ListMaxActiveTask);
    defaults("ListAutoSave", o.ListAutoSave);
    defaults("ListAutoSavePeriod", o.ListAutoSavePeriod);
    defaults("ListDeleteTaskAfterComplete", o.ListDeleteTaskAfterComplete);
    defaults("IncompleteTaskWhatToDo", o.IncompleteTaskWhatToDo);
    defaults("DefaultTaskStart", o.DefaultTaskStart);
    defaults("iLastPauseTimeout", o.iLastPauseTimeout);
    defaults("DblClickTask", o.DblClickTask);
    defaults("DblClickError", o.DblClickError);
    defaults("DblClickComplete", o.DblClickComplete);
    defaults("bHistoryAddIncomplete", o.bHistoryAddIncomplete);
    defaults("bTemporaryHostDefault", o.bTemporaryHostDefault);
    defaults("bLimitConnectionNetbiosDef", o.bLimitConnectionNetbiosDef);
    defaults("iMaxConnectionNetbiosDef", o.iMaxConnectionNetbiosDef);
    defaults("bLimitConnectionFTPDef", o.bLimitConnectionFTPDef);
    defaults("iMaxConnectionFTPDef", o.iMaxConnectionFTPDef);
    defaults("bLimitConnectionHTTPDef", o.bLimitConnectionHTTPDef);
    defaults("iMaxConnectionHTTPDef", o.iMaxConnectionHTTPDef);
    defaults("DefaultLoginToServer", o.DefaultLoginToServer);
    defaults("DefaultUserLogin", o.DefaultUserLogin);
    defaults("DefaultUserPassword", o.DefaultUserPassword);
    defaults("bUseCokies", o.bUseCokies);
    defaults("bUsePassiveFTP", o.bUsePassiveFTP);

    const TSectionReader confirmation{store, "Confirmation"};
    confirmation("bdsAllTaskDelete", o.bdsAllTaskDelete);
    confirmation("bdsAllSelectedTaskDelete", o.bdsAllSelectedTaskDelete);
    confirmation("bdsAllSelectedTaskRestart", o.bdsAllSelectedTaskRestart);
    confirmation("bdsAllSelectedStartImmediatelly", o.bdsAllSelectedStartImmediatelly);
    confirmation("bdsHostsClear", o.bdsHostsClear);
    confirmation("bdsAllSelectedHostsDelete", o.bdsAllSelectedHostsDelete);
    confirmation("bdsApllyParamFromAnotherTask", o.bdsApllyParamFromAnotherTask);
    confirmation("bdsClearLog", o.bdsClearLog);

    defaults("DuplicateTaskWhatToDo", o.DuplicateTaskWhatToDo);
    defaults("DialogTimeout", o.DialogTimeout);
    defaults("ListSource", o.ListSource);
    defaults("ListSource_MaxCount", o.ListSource_MaxCount);
    defaults("ListDestination", o.ListDestination);
    defaults("ListDestination_MaxCount", o.ListDestination_MaxCount);
    defaults("bTaskLogAutoScroll", o.bTaskLogAutoScroll);
    defaults("bOtherProgramLAN", o.bOtherProgramLAN);
    defaults("sOtherProgramLAN", o.sOtherProgramLAN);
    defaults("sOtherProgramLANKey", o.sOtherProgramLANKey);
    defaults("bOtherProgramFTP", o.bOtherProgramFTP);
    defaults("sOtherProgramFTP", o.sOtherProgramFTP);
    defaults("sOtherProgramFTPKey", o.sOtherProgramFTPKey);
    defaults("bOtherProgramHTTP", o.bOtherProgramHTTP);
    defaults("sOtherProgramHTTP", o.sOtherProgramHTTP);
    defaults("sOtherProgramHTTPKey", o.sOtherProgramHTTPKey);

    // History, recycle bin and scheduler.
    defaults("bHistoryLineMax", o.bHistoryLineMax);
    defaults("HistoryLineMax", o.HistoryLineMax);
    defaults("bHistoryTimeMax", o.bHistoryTimeMax);
    defaults("HistoryTimeMax", o.HistoryTimeMax);
    defaults("bRecycleBinLineMax", o.bRecycleBinLineMax);
    defaults("iRecycleBinLineMax", o.iRecycleBinLineMax);
    defaults("bShowHintForListView", o.bShowHintForListView);
    defaults("ListFilter", o.ListFilter);
    defaults("ListFilter_MAxCount", o.ListFilter_MAxCount);
    defaults("ListFinded", o.ListFinded);
    defaults("ListFinded_MAxCount", o.ListFinded_MAxCount);
    confirmation("bdsAllHistoryDelete", o.bdsAllHistoryDelete);
    confirmation("bdsAllSelectedHistoryDelete", o.bdsAllSelectedHistoryDelete);
    confirmation("bdsAllSelectedHistoryReloaded", o.bdsAllSelectedHistoryReloaded);
    confirmation("bdsAllRecycleBinDelete", o.bdsAllRecycleBinDelete);
    confirmation("bdsAllSelectedRecycleBinDelete", o.bdsAllSelectedRecycleBinDelete);
    confirmation("bdsAllSelectedRecycleBinReloaded", o.bdsAllSelectedRecycleBinReloaded);
    confirmation("bdsSchedulerClear", o.bdsSchedulerClear);
    confirmation("bdsAllSelectedSchedulerDelete", o.bdsAllSelectedSchedulerDelete);
    confirmation("bdsSchedulerStartImmediatelly", o.bdsSchedulerStartImmediatelly);

    // Proxies: the hosts that FTP and HTTP transfers reach without one.
    defaults("bProxyBypass", o.bProxyBypass);
    defaults("sProxyBypass", o.sProxyBypass);
}
