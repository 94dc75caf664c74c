#pragma once

#include "core/Clock.h"
#include "core/MessageBoxPort.h"
#include "tasks/TaskPorts.h"

#include <string>
#include <vector>

// A record's read-only properties as its dialog shows them.
struct TRecordPropertiesForm {
    std::string Name;
    std::string Source;
    std::string Destination;
    std::string Size;        // "automatic  (bytes)"
    std::string Created;
    std::string Completed;   // the time of deletion for a record of the recycle bin
    std::string OpenPath;    // what the dialog's open button opens; empty: no such button
    bool Deleted = false;    // a record of the recycle bin, whose dialog says "deleted"
};

// The dialogs of the history and the recycle bin. The GUI shows real dialogs; tests script
// the answers.
class IRecordDialogs {
public:
    virtual ~IRecordDialogs() = default;
    virtual void ShowRecordProperties(const TRecordPropertiesForm& form) = 0;
    // The history's custom date range; from and to come in as the proposal. True on OK.
    virtual bool ShowCustomRangeDialog(TDateTime& from, TDateTime& to) = 0;
};

// Everything outside their lists that the history, the recycle bin and the scheduler reach.
struct TRecordEnvironment {
    IMessageBoxPort& Boxes;
    IClock& Clock;
    ITaskShell& Shell;
    ITaskDialogs& Dialogs;
    IRecordDialogs& RecordDialogs;
    IDesktop& Desktop;
    ITaskAdding& Adding;
};
