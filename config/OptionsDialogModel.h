#pragma once

#include "config/Options.h"
#include "config/SystemIntegration.h"

#include <string>
#include <string_view>
#include <vector>

// Controls of the options dialog that are enabled only while another control allows them.
enum TOptionControl {
    ocListAutoSavePeriod,    // while the list is saved periodically
    ocCompletionOptions,     // the button of the completion options, while anything happens at completion
    ocTaskLogLineMax,        // while logs are stored
    ocTaskStopIfNotReserve,  // while space is reserved
    ocMaxConnectionNetbios,  // each while its limit is on
    ocMaxConnectionFTP,
    ocMaxConnectionHTTP,
    ocOtherProgramLAN,  // path, template and browse button, each while its radio is chosen
    ocOtherProgramHTTP,
    ocOtherProgramFTP,
    ocFTPModeASCIIFileExt,  // in the FTP mode "text for these extensions"
    ocClipboardKinds,       // the four kinds of link and the filter box, while the clipboard is watched
    ocFilterClipboardText,  // while the filter is on
    ocSounds,               // the event list and its buttons, while sounds are on
    ocProxyBypass,          // never: the bypass controls are shown only
    ocProxyChoice,          // never: the proxy of each protocol is shown only; its list can be edited
    ocIntegrateToIE,        // never
    ocDownloadSubfolders,   // never: a box shown for what may come, not stored
};

// Drop-down lists whose entries are messages, each entry's index the value it stands for.
enum TOptionList {
    olDuplicateTask,     // DuplicateTaskWhatToDo
    olAlreadyOnDisk,     // AlraedyInDiskWhatToDo
    olIncompleteTask,    // IncompleteTaskWhatToDo
    olDblClickTask,      // DblClickTask
    olDblClickComplete,  // DblClickComplete
    olDblClickError,     // DblClickError
};

// A number box: the value it shows lies in [Min, Max].
struct TNumberBox {
    int TOptions::*Value;
    int Min;
    int Max;
};

// What pressing OK changed: the keys whose value differs, for the window to apply what
// depends on them (the status bar and the page tabs are laid out again only when theirs
// changed).
struct TOptionsDialogResult {
    std::vector<std::string> ChangedKeys;
    bool Changed(std::string_view key) const;
};

// The options dialog without its widgets: the controls' values copied in from the options,
// which controls are enabled, the texts of the unit boxes, and what OK copies back.
class TOptionsDialogModel {
public:
    explicit TOptionsDialogModel(const TOptions& options);

    // The controls' values, which the widgets show and change. Number boxes hold their
    // value within their range; the confirmation keys are held as stored (see ConfirmationTicked).
    TOptions& Controls() { return Controls_; }
    const TOptions& Controls() const { return Controls_; }
    bool Enabled(TOptionControl control) const;

    // Watching the clipboard: turning it off clears the filter box, which it disables.
    void SetMonitorClipboard(bool on);

    // A ticked confirmation row asks its question: the inverse of its key.
    bool ConfirmationTicked(int row) const;
    void SetConfirmationTicked(int row, bool ticked);
    // The Default button of the sound rows.
    void SetDefaultSound(int row);

    // Entries of the size box (units 0 to 4) and of the speed box (0 to 3), the latter
    // in bits or bytes as the controls say now; the selections are the controls' values.
    std::vector<std::string> SizeUnitTexts() const;
    std::vector<std::string> SpeedUnitTexts() const;

    // The entries of a drop-down list, in the language in use.
    static std::vector<std::string> ListTexts(TOptionList list);

    static const std::vector<TNumberBox>& NumberBoxes();

    // OK: copies the controls back into options, the dependent ones only while their switch
    // allows it, and applies starting with the session (always) and the file-manager menus
    // (only when that differs from the system's state) to the system. Both options then
    // show what the system says, so a setting the session refused does not look applied.
    TOptionsDialogResult Apply(TOptions& options, ISystemIntegration& system) const;

private:
    TOptions Controls_;
};
