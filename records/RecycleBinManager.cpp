#include "records/RecycleBinManager.h"

#include "config/Options.h"
#include "records/RecordColumns.h"
#include "records/RecordProperties.h"

#include <memory>

TRecycleBinManager::TRecycleBinManager(TRecordEnvironment& environment, const std::string& fileName)
    : TTaskRecordManager(environment)
{
    // Links may carry their passwords.
    File().SetFileMode(0600);
    LoadFromFile(fileName);
}

void TRecycleBinManager::Loaded()
{
    // A lowered limit drops the oldest records, as adding does: the newest are the ones
    // a user wants back.
    if (Options().bRecycleBinLineMax)
        DropOldest(Options().iRecycleBinLineMax);
}

TRecycleBinItem& TRecycleBinManager::AddToRecycleBin(const TTaskRecord& record)
{
    TRecycleBinItem& item = InsertNewest(std::make_unique<TRecycleBinItem>(record));
    if (Options().bRecycleBinLineMax)
        DropOldest(Options().iRecycleBinLineMax);
    return item;
}

void TRecycleBinManager::RestoreSelectedAfterConfirmation()
{
    TTaskRecordManager::RestoreSelectedAfterConfirmation("sAllSelectedRecycleBinReloaded",
                                                        Options().bdsAllSelectedRecycleBinReloaded);
}

void TRecycleBinManager::DeleteSelectedAfterConfirmation()
{
    TRecordManager::DeleteSelectedAfterConfirmation("sAllSelectedRecycleBinDelete", Options().bdsAllSelectedRecycleBinDelete);
}

void TRecycleBinManager::ClearAfterConfirmation()
{
    TRecordManager::ClearAfterConfirmation(HasRecords(), "sRecycleBinClear", Options().bdsAllRecycleBinDelete);
}

void TRecycleBinManager::ShowSelectedProperties()
{
    for (const TRecycleBinItem* item : Rows_.SelectedRecords())
        Env_.RecordDialogs.ShowRecordProperties(RecycleBinPropertiesForm(*item));
}

void TRecycleBinManager::CopySourcesToClipboard()
{
    if (HasSelection())
        Env_.Desktop.SetClipboardText(SelectedLines(&TRecycleBinItem::Source));
}

bool TRecycleBinManager::ColumnLess(const TRecycleBinItem& a, const TRecycleBinItem& b, int column) const
{
    return RecycleBinColumnLess(a, b, column);
}
