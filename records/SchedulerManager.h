#pragma once

#include "records/RecordManager.h"
#include "records/SchedulerItem.h"

#include <string>

using TSchedulerRows = TRowList<TSchedulerItem>;

// The scheduler page's list with its file "scheduler.xml". A named placeholder: items are
// loaded, shown, deleted and saved, none can be made, and nothing ever runs them. Main
// thread only.
class TSchedulerManager : public TRecordManager<TSchedulerItem> {
public:
    // Loads fileName (none: an empty list that is never saved until a name is given).
    TSchedulerManager(TRecordEnvironment& environment, const std::string& fileName);

    TScheduler& Scheduler() { return Items(); }
    const TScheduler& Scheduler() const { return Items(); }
    const char* RootName() const override { return "Scheduler"; }

    // Commands of the scheduler page. Add is always enabled and only tells that items
    // cannot be made; delete and run need a selection (HasSelection), as do properties,
    // enable and disable, which do nothing; delete all and select all need an item
    // (HasRecords).
    void AddItem();                           // actSchedulerAdd
    void DeleteSelectedAfterConfirmation();   // actSchedulerDelete
    void ClearAfterConfirmation();            // actSchedulerClear
    void ExecuteSelectedAfterConfirmation();  // actSchedulerExecuteTask: asks, then runs nothing

protected:
    bool ColumnLess(const TSchedulerItem& a, const TSchedulerItem& b, int column) const override;
};
