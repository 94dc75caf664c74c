#include "config/OptionsDialogModel.h"

#include "config/OptionKeys.h"
#include "config/OptionsFile.h"
#include "core/MessageCatalogue.h"

#include <algorithm>

namespace {

// "Name (short)" or "Name (short; short; ...)".
std::string UnitText(const char* name, std::initializer_list<const char*> shortNames)
{
    std::string text = Translate(name) + " (";
    const char* separator = "";
    for (const char* shortName : shortNames) {
        text += separator + Translate(shortName);
        separator = "; ";
    }
    return text + ")";
}

}  // namespace

bool TOptionsDialogResult::Changed(std::string_view key) const
{
    return std::find(ChangedKeys.begin(), ChangedKeys.end(), key) != ChangedKeys.end();
}

TOptionsDialogModel::TOptionsDialogModel(const TOptions& options) : Controls_(options)
{
    for (const TNumberBox& box : NumberBoxes())
        Controls_.*box.Value = std::clamp(Controls_.*box.Value, box.Min, box.Max);
}

const std::vector<TNumberBox>& TOptionsDialogModel::NumberBoxes()
{
    static const std::vector<TNumberBox> boxes = {
        {&TOptions::ListMaxActiveTask, 1, 1000},
        {&TOptions::ListAutoSavePeriod, 1, 100},
        {&TOptions::iShowWarningTimeOut, 1, 30000},
        {&TOptions::TaskMaxRetries, 0, 1000},
        {&TOptions::TaskRetriesPause, 0, 10000},
        {&TOptions::TaskBufferSize, 1, 10000},
        {&TOptions::iTaskErrorPauseTempTimeout, 1, 30000},
        {&TOptions::iTaskErrorPauseTempRetries, 1, 30000},
        {&TOptions::TaskLogLineMax, 1, 10000},
        {&TOptions::HistoryLineMax, 1, 10000},
        {&TOptions::HistoryTimeMax, 1, 10000},
        {&TOptions::iMaxConnectionNetbiosDef, 1, 100},
        {&TOptions::iMaxConnectionFTPDef, 1, 100},
        {&TOptions::iMaxConnectionHTTPDef, 1, 100},
        {&TOptions::DialogTimeout, 10, 600},
    };
    return boxes;
}

bool TOptionsDialogModel::Enabled(TOptionControl control) const
{
    const TOptions& c = Controls_;
    switch (control) {
    case ocListAutoSavePeriod: return c.ListAutoSave;
    case ocCompletionOptions: return c.bFinishAfterCompleteAll;
    case ocTaskLogLineMax: return c.TaskLogSaveToFile;
    case ocTaskStopIfNotReserve: return c.TaskReserveSpace;
    case ocMaxConnectionNetbios: return c.bLimitConnectionNetbiosDef;
    case ocMaxConnectionFTP: return c.bLimitConnectionFTPDef;
    case ocMaxConnectionHTTP: return c.bLimitConnectionHTTPDef;
    case ocOtherProgramLAN: return c.bOtherProgramLAN;
    case ocOtherProgramHTTP: return c.bOtherProgramHTTP;
    case ocOtherProgramFTP: return c.bOtherProgramFTP;
    case ocFTPModeASCIIFileExt: return c.iFTPMode == 2;
    case ocClipboardKinds: return c.bMonitorClipboard;
    case ocFilterClipboardText: return c.bMonitorClipboard && c.bFilterClipboard;
    case ocSounds: return c.bUseSounds;
    case ocProxyBypass:
    case ocProxyChoice:
    case ocIntegrateToIE:
    case ocDownloadSubfolders: return false;
    }
    return false;
}

void TOptionsDialogModel::SetMonitorClipboard(bool on)
{
    Controls_.bMonitorClipboard = on;
    if (!on)
        Controls_.bFilterClipboard = false;
}

bool TOptionsDialogModel::ConfirmationTicked(int row) const
{
    return !(Controls_.*kConfirmationFlags[row].Flag);
}

void TOptionsDialogModel::SetConfirmationTicked(int row, bool ticked)
{
    Controls_.*kConfirmationFlags[row].Flag = !ticked;
}

void TOptionsDialogModel::SetDefaultSound(int row)
{
    Controls_.*kSoundEvents[row].File = DefaultSoundFile(row);
}

std::vector<std::string> TOptionsDialogModel::ListTexts(TOptionList list)
{
    std::vector<const char*> ids;
    switch (list) {
    case olDuplicateTask: ids = {"sDuplicateTaskRenameTask", "sDuplicateTaskNoAddTask", "sDuplicateTaskAsk"}; break;
    case olAlreadyOnDisk:
        ids = {"sAlraedyInDiskRenameFile", "sAlraedyInDiskOverwrite", "sAlraedyInDiskAddToLoad", "sAlraedyInDiskStop",
               "sAlraedyInDiskAsk"};
        break;
    case olIncompleteTask: ids = {"sIncompleteTaskDeleteFile", "sIncompleteTaskLeaveFile", "sIncompleteTaskAsk"}; break;
    case olDblClickTask: ids = {"sDblClickProp", "sDblClickTaskStartStop"}; break;
    case olDblClickComplete: ids = {"sDblClickProp", "sDblClickCompleteOpen"}; break;
    case olDblClickError: ids = {"sDblClickProp", "sDblClickErrorStart"}; break;
    }
    std::vector<std::string> texts;
    for (const char* id : ids)
        texts.push_back(Translate(id));
    return texts;
}

std::vector<std::string> TOptionsDialogModel::SizeUnitTexts() const
{
    return {
        UnitText("sSizeByteName", {"sSizeByte"}),
        UnitText("sSizeKByteName", {"sSizeKByte"}),
        UnitText("sSizeMByteName", {"sSizeMByte"}),
        UnitText("sSizeGByteName", {"sSizeGByte"}),
        UnitText("sSizeAutoName", {"sSizeByte", "sSizeKByte", "sSizeMByte", "sSizeGByte"}),
    };
}

std::vector<std::string> TOptionsDialogModel::SpeedUnitTexts() const
{
    if (Controls_.MeasureSpeedInBits)
        return {
            UnitText("sSpeedBitName", {"sSpeedBit"}),
            UnitText("sSpeedKBitName", {"sSpeedKBit"}),
            UnitText("sSpeedMbitName", {"sSpeedMbit"}),
            UnitText("sSpeedBitAutoName", {"sSpeedBit", "sSpeedKBit", "sSpeedMbit"}),
        };
    return {
        UnitText("sSpeedByteName", {"sSpeedByte"}),
        UnitText("sSpeedKByteName", {"sSpeedKByte"}),
        UnitText("sSpeedMbyteName", {"sSpeedMbyte"}),
        UnitText("sSpeedByteAutoName", {"sSpeedByte", "sSpeedKByte", "sSpeedMbyte"}),
    };
}

TOptionsDialogResult TOptionsDialogModel::Apply(TOptions& options, ISystemIntegration& system) const
{
    const TOptions before = options;
    const TOptions& c = Controls_;
    ForEachDialogOptionKey([](const TOptionKey&, auto& to, const auto& from) { to = from; }, options, c);

    // Values whose controls were disabled keep what they were.
    const auto keep = [&](auto TOptions::*value) { options.*value = before.*value; };
    if (!c.bFinishAfterCompleteAll) {
        keep(&TOptions::bShowFinishWarning);
        keep(&TOptions::iShowWarningTimeOut);
        keep(&TOptions::caFinishAction);
        keep(&TOptions::bFinishForceCloseApplicattion);
    }
    if (!c.bLimitConnectionNetbiosDef)
        keep(&TOptions::iMaxConnectionNetbiosDef);
    if (!c.bLimitConnectionFTPDef)
        keep(&TOptions::iMaxConnectionFTPDef);
    if (!c.bLimitConnectionHTTPDef)
        keep(&TOptions::iMaxConnectionHTTPDef);
    if (c.iFTPMode != 2)
        keep(&TOptions::sFTPModeASCIIFileExt);
    // Another program opens resources only when one is named.
    const auto otherProgram = [&](bool TOptions::*chosen, std::string TOptions::*path,
                                  std::string TOptions::*arguments) {
        if (!(c.*chosen)) {
            keep(path);
            keep(arguments);
        }
        options.*chosen = c.*chosen && !(c.*path).empty();
    };
    otherProgram(&TOptions::bOtherProgramLAN, &TOptions::sOtherProgramLAN, &TOptions::sOtherProgramLANKey);
    otherProgram(&TOptions::bOtherProgramHTTP, &TOptions::sOtherProgramHTTP, &TOptions::sOtherProgramHTTPKey);
    otherProgram(&TOptions::bOtherProgramFTP, &TOptions::sOtherProgramFTP, &TOptions::sOtherProgramFTPKey);
    if (!c.bProxyBypass)
        keep(&TOptions::sProxyBypass);
    if (!(c.bMonitorClipboard && c.bFilterClipboard))
        keep(&TOptions::sFilterClipboard);
    if (!c.bUseSounds)
        for (const TSoundEvent& event : kSoundEvents) {
            keep(event.Flag);
            keep(event.File);
        }
    options.IntegrateToIE = false;
    options.ExplorerIntegration = c.ExplorerIntegration;

    system.SetStartWithWindows(options.StartWithWindows);
    if (options.ExplorerIntegration != system.IsExplorerIntegrated())
        system.SetExplorerIntegration(options.ExplorerIntegration);
    options.StartWithWindows = system.IsStartWithWindows();
    options.ExplorerIntegration = system.IsExplorerIntegrated();

    TOptionsDialogResult result;
    ForEachDialogOptionKey(
        [&](const TOptionKey& key, const auto& now, const auto& was) {
            if (!(now == was))
                result.ChangedKeys.push_back(key.Name);
        },
        options, before);
    return result;
}
