#include "config/MessageIdentifiers.h"

#include "config/ColumnCaptions.h"

#include <iterator>
#include <utility>

namespace {

const char* const kMessageIds[] = {
    // Help files and addresses.
    "sfilehelp", "sfilefaq", "sForumAddress", "sMailAddress", "sHomeAddress", "sSite", "sfilehistory",
    // Folder dialogs.
    "sTitleOpenFolderDialog", "sTitleOpenFolderorFileDialog",
    // Questions before bulk actions.
    "sAllSelectedDelete", "sAllDelete", "sAllSelectedRestart", "sHistoryClear", "sAllSelectedHistoryDelete",
    "sHostsClear", "sAllSelectedHostsDelete", "sAllSelectedHistoryReloaded", "sClearLog", "sSchedulerClear",
    "sAllSelectedSchedulerDelete", "sSchedulerStartImmediatelly", "sAllSelectedStartImmediatelly",
    "sExitProgram", "sRecycleBinClear", "sAllSelectedRecycleBinDelete", "sAllSelectedRecycleBinReloaded",
    // The confirmation list of the options dialog.
    "sdsAllSelectedTaskDelete", "sdsAllTaskDelete", "sdsAllSelectedTaskRestart", "sdsAllHistoryDelete",
    "sdsAllSelectedHistoryDelete", "sdsAllSelectedHistoryReloaded", "sdsHostsClear",
    "sdsAllSelectedHostsDelete", "sdsClearLog", "sdsSchedulerClear", "sdsAllSelectedSchedulerDelete",
    "sdsSchedulerStartImmediatelly", "sdsAllSelectedStartImmediatelly", "sdsExitProgram",
    "sdsApllyParamFromAnotherTask", "sdsAllRecycleBinDelete", "sdsAllSelectedRecycleBinDelete",
    "sdsAllSelectedRecycleBinReloaded",
    // Traffic priorities, lowest first.
    "sLowestPriority", "sLowerPriority", "sMiddlePriority", "sHigherPriority", "sHighestPriority",
    // Adding tasks and conflicts.
    "sAddOtherTask", "sCreateNewTask", "sNoValidPaths", "sAdditional", "sMovingAvailableInUsortedList",
    "sDefaultsTreeFile", "sErrorDeleteDestination", "sAskPerformDeleteIncompleteTaskInfo",
    "sUseForOtherIncompleteTask", "sUnabledetectHostName", "sIncompleteTaskLeaveFile",
    "sIncompleteTaskDeleteFile", "sIncompleteTaskAsk", "sSourceAlraedyinList", "sDestinationAlraedyInList",
    "sDestinationRenamed", "sDestinationOverWrited", "sNotAddedToDownload", "sDestinationAlreadyExists",
    "sDestinationAdded", "sDestinationNotExists", "sDownloadStoppedDestinationExist",
    "sDuplicateTaskRenameTask", "sDuplicateTaskNoAddTask", "sDuplicateTaskAsk", "sAlraedyInDiskRenameFile",
    "sAlraedyInDiskOverwrite", "sAlraedyInDiskAddToLoad", "sAlraedyInDiskAsk", "sAlraedyInDiskStop",
    // Column alignments.
    "sAllignLeft", "sAllignRight", "sAllignCenter",
    // The page tree.
    "sPageTask", "sPageTaskStatus", "sPageTaskStatusWait", "sPageTaskStatusStarted", "sPageTaskStatusStopped",
    "sPageTaskStatusTemporaryPaused", "sPageTaskStatusScheduled", "sPageTaskStatusError",
    "sPageTaskStatusCompleted", "sPageTaskCategory", "sPageHistory", "sPageHistoryCompleted",
    "sPageHistoryToday", "sPageHistoryYesterday", "sPageHistoryWeek", "sPageHistoryMonth",
    "sPageHistoryCustom", "sPageManager", "sPageScheduler", "sPageRecycleBin", "sPageExplorer",
    "sPageCatalog", "sPageVelmora",
    // The history filter.
    "sHistoryFilterInfo", "sHistoryFilterInfoOne",
    // The status bar.
    "sStatusPanelTaskVizSel", "sStatusPanelTaskViz", "sStatusPanelTaskDownloadSel",
    "sStatusPanelAllTaskSizeSel", "sStatusPanelAllTaskPercentSel", "sStatusPanelAllTaskLoadedSel",
    "sStatusPanelTaskDownload", "sStatusPanelAllLoaded", "sStatusPanelAllTaskSize",
    "sStatusPanelAllTaskLoaded", "sStatusPanelAllTaskPercent", "sStatusPanelHistorySel",
    "sStatusPanelHistory",
    // Finding.
    "sNoFindedItem", "sFindedItemEnd",
    // Double-click choices.
    "sDblClickProp", "sDblClickTaskStartStop", "sDblClickCompleteOpen", "sDblClickErrorStart",
    // Units.
    "sSizeByte", "sSizeKByte", "sSizeMByte", "sSizeGByte", "sSpeedByte", "sSpeedKByte", "sSpeedMbyte",
    "sSpeedBit", "sSpeedKBit", "sSpeedMbit", "sSizeByteName", "sSizeKByteName", "sSizeMByteName",
    "sSizeGByteName", "sSizeAutoName", "sSpeedByteName", "sSpeedKByteName", "sSpeedMbyteName",
    "sSpeedByteAutoName", "sSpeedBitName", "sSpeedKBitName", "sSpeedMbitName", "sSpeedBitAutoName",
    // Connection types.
    "sInputConnectionNameCaption", "sConnectionName", "sInputNameIsEmpty", "sInputBandwidthError",
    "sInputBandwidthIsEmpty", "sInputIsDuplicate", "sDeleteConnection", "sInvalidSpeed",
    // Speed-graph schemes.
    "sInputSchemaNameCaption", "sInputSchemaNamePrompt", "sSchemaNameDefault", "sEmptySchemaName",
    "sDuplicateSchemaName", "sDeleteSchema",
    // Proxies.
    "sProxyNone", "sProxyFromIE", "sInputProxyNameCaption", "sInputProxyNamePrompt", "sProxyNameDefault",
    "sEmptyProxyName", "sDuplicateProxyName", "sDeleteProxy", "sWrongPortNumber", "sEmptyProxyAddress",
    "sHAsEmptyProxyAddress", "sProxyParamChanged",
    // User agents.
    "sImportFromIEUserAgentString", "sQuorvexUserAgentString", "sCustomUserAgentString",
    "sEmptyUserAgentString", "sDelUserAgent",
    // Property dialogs and small dialogs.
    "sNoParrametersChanged", "sParrametersChanged", "sSelectNumActiveTask", "sDontShowAgain",
    // Message boxes.
    "SCannotOpenClipboard", "SMsgDlgWarning", "SMsgDlgError", "SMsgDlgInformation", "SMsgDlgConfirm",
    "SMsgDlgYes", "SMsgDlgNo", "SMsgDlgOK", "SMsgDlgCancel", "SMsgDlgHelp", "SMsgDlgHelpNone",
    "SMsgDlgHelpHelp", "SMsgDlgAbort", "SMsgDlgRetry", "SMsgDlgIgnore", "SMsgDlgAll", "SMsgDlgNoToAll",
    "SMsgDlgYesToAll",
    // Notifications and timed buttons.
    "sHintCaptionInfo", "sHintCaptionError", "sNotifyCompleteItemAll", "sNotifyCompleteItem",
    "sNotifyStartItem", "sNotifyErrorItem", "sNotifyStopItem", "sNotifyTempPausedErrorItem", "sButtonTimedOk",
    "sAllLoaded",
    // Completion actions.
    "scaShutdown", "scaReboot", "scaHibernate", "scaSleep", "scaLogoff", "scaClose",
    // Sounds.
    "sColumnSoundType", "sColumSoundFile", "sSoundProgramStart", "sSoundProgramExit", "sSoundShutDown",
    "sSoundTaskAdd", "sSoundTaskDel", "sSoundTaskStart", "sSoundTaskStop", "sSoundTaskComplete",
    "sSoundTaskCompleteAll",
    // Transfer log lines.
    "sNoSupportWrite", "sCantDetermineFileSize", "sInvalidFileName", "sEmptyFileName", "sErrorCode",
    "sWaitBeforeRetry", "sPauseTempBeforeRetry", "sExtractHostNameFailed", "sExtractRelativePathFailed",
    "sExtractPortFailed", "sInvalidLinkType", "sResumeNotSupported", "sStreamCreateFailed", "sSetDateFailed",
    "sGetDateFailed", "sGetPositionFailed", "sSetPositionFailed", "sGetSizeFailed", "sSetSizeFailed",
    "sStartDownload", "sUserCancelDownload", "sFileSizeMismatch", "sReserveSpace", "sReserveSpaceFailed",
    "sDownloadStopped", "sDownloadContinue", "sReadDataFailed", "sWriteDataFailed", "sSizeReadNotEQSizeWrite",
    "sStreamClosed", "sStreamCloseFailed", "sOpenReadStream", "sReadStreamOpened", "sReadStreamOpenFailed",
    "sOpenWriteStream", "sWriteStreamOpened", "sWriteStreamOpenFailed", "sSessionInitialized",
    "sSessionInitializeFailed", "sSessionFinalized", "sSessionFinalizeFailed", "sConnectionInitialized",
    "sConnectionInitializeFailed", "sConnectionFinalized", "sConnectionFinalizeFailed", "sStartPosition",
    "sSetData", "sSetAttributes", "sGetAttributesFailed", "sSetAttributesFailed",
    // Steps of the transfer engine beyond those above.
    "sLinkTypeNotSupported", "sSourceChanged", "sDestinationLongerThanSource", "sSourceEndedEarly",
    "sHttpStatusFailed", "sRangeIgnored", "sInetInterrupted",
    // Commands that this version shows but does not carry out.
    "sNotImplemented",
};

// The session's settings of the options.
const char* const kSessionMessageIds[] = {"sIntegrationProgramMissing", "sIntegrationFailed"};

} // namespace

const std::vector<std::string>& CatalogueIdentifiers()
{
    static const std::vector<std::string> ids = [] {
        std::vector<std::string> all(std::begin(kMessageIds), std::end(kMessageIds));
        all.insert(all.end(), std::begin(kSessionMessageIds), std::end(kSessionMessageIds));
        // The task info list shares the captions of the history info list.
        for (int list = 0; list < kCaptionedListCount; ++list) {
            if (list == clTaskInfo)
                continue;
            for (std::string& id : ColumnCaptionIds(TCaptionedList(list)))
                all.push_back(std::move(id));
        }
        return all;
    }();
    return ids;
}
