#pragma once

#include "tasks/TaskProp.h"

#include <optional>
#include <string>
#include <vector>

// The rules of the task dialog, for a new task or an existing one, without the widgets:
// what it shows of a TTaskProp, which boxes are enabled, and what OK returns and remembers.
// The GUI's dialog binds its widgets to the fields and calls the setters as they change.
class TTaskDialogModel {
public:
    // Lists the remembered sources and destinations (ListSource, ListDestination) and shows
    // prop; an empty destination shows the most recent remembered one.
    TTaskDialogModel(const TTaskProp& prop, bool newTask);

    bool NewTask() const { return NewTask_; }
    const std::string& SourceText() const { return SourceText_; }
    const std::string& DestinationText() const { return DestinationText_; }
    // The texts decide which login boxes are enabled; a box that becomes disabled is unticked.
    void SetSourceText(const std::string& text);
    void SetDestinationText(const std::string& text);
    // A share, an FTP or an HTTP source takes a login; a share or FTP destination does.
    bool SourceLoginEnabled() const;
    bool DestinationLoginEnabled() const;
    // The box of a disabled login stays unticked.
    void SetSourceLogin(bool ticked);
    void SetDestinationLogin(bool ticked);
    bool SourceLogin() const { return SourceLogin_; }
    bool DestinationLogin() const { return DestinationLogin_; }
    // OK, and with it "use by default", only while there is a source and a destination.
    bool OkEnabled() const { return !SourceText_.empty() && !DestinationText_.empty(); }

    std::vector<std::string> SourceEntries;  // the drop-down lists, most recent first
    std::vector<std::string> DestinationEntries;
    std::string SourceUser;  // the edits of the login boxes
    std::string SourcePassword;
    std::string DestinationUser;
    std::string DestinationPassword;
    bool SaveAs = false;                  // "save as", unticked at first
    std::string SaveAsName;               // the edit beside it, showing the name
    std::optional<TTaskStart> StartMode;  // the radio checked: none for tsShedule
    TTrafficPriority Priority = tpMiddlePriority;
    bool UseByDefault = false;

    // OK: both texts go to the front of their remembered lists (ListSource,
    // ListDestination), and prop gets the answer; the name only while "save as" is ticked,
    // a login's user and password only while its box is. False, changing nothing, while
    // OK is disabled.
    bool Accept(TTaskProp& prop, bool& useByDefault);

private:
    bool NewTask_;
    std::string SourceText_;
    std::string DestinationText_;
    bool SourceLogin_;
    bool DestinationLogin_;
};

// Puts text at the front of a remembered list: every equal entry (compared with case)
// goes first, and the entries beyond maxCount are dropped from the end.
void RememberEntry(std::vector<std::string>& entries, const std::string& text, int maxCount);
