#pragma once

#include "records/RecycleBinItem.h"
#include "records/TaskRecordManager.h"

#include <string>

using TRecycleBinRows = TRowList<TRecycleBinItem>;

// The tasks deleted from the task list, with the file "recyclebin.xml" (newest first) and
// the rows of the recycle-bin page. The task manager adds to it through ITaskRecycleBin;
// restoring a record makes a new task and keeps the record. Main thread only.
class TRecycleBinManager : public TTaskRecordManager<TRecycleBinItem>, public ITaskRecycleBin {
public:
    // Loads fileName (none: an empty recycle bin that is never saved until a name is given).
    TRecycleBinManager(TRecordEnvironment& environment, const std::string& fileName);

    TRecycleBin& RecycleBin() { return Items(); }
    const TRecycleBin& RecycleBin() const { return Items(); }
    const char* RootName() const override { return "RecycleBin"; }

    // A new record at the top, the oldest beyond the line limit dropped. The record's
    // completion time is the time of deletion.
    TRecycleBinItem& AddToRecycleBin(const TTaskRecord& record);
    void AddRecycleBinRecord(const TTaskRecord& record) override { AddToRecycleBin(record); }

    // Commands of the recycle-bin page. Restore, delete, copy and properties need a
    // selection (HasSelection); delete all and select all a record (HasRecords).
    void RestoreSelectedAfterConfirmation();  // actRecycleBinReload
    void DeleteSelectedAfterConfirmation();   // actRecycleBinDelete
    void ClearAfterConfirmation();            // actRecycleBinDeleteAll
    void ShowSelectedProperties();            // actRecycleBinProperties, and a double click
    void CopySourcesToClipboard();            // actRecycleBinCopyPathToClipboard

protected:
    bool ColumnLess(const TRecycleBinItem& a, const TRecycleBinItem& b, int column) const override;
    void Loaded() override;
};
