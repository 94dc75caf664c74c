#include "records/SchedulerManager.h"

#include "config/Options.h"
#include "records/RecordColumns.h"

TSchedulerManager::TSchedulerManager(TRecordEnvironment& environment, const std::string& fileName)
    : TRecordManager(environment)
{
    LoadFromFile(fileName);
}

void TSchedulerManager::AddItem()
{
    Env_.Dialogs.MessageBox(Translate("sNotImplemented"), TMessageKind::Information, mbOK);
}

void TSchedulerManager::DeleteSelectedAfterConfirmation()
{
    if (HasSelection() && Confirm("sAllSelectedSchedulerDelete", Options().bdsAllSelectedSchedulerDelete))
        DeleteSelected();
}

void TSchedulerManager::ClearAfterConfirmation()
{
    if (HasRecords() && Confirm("sSchedulerClear", Options().bdsSchedulerClear))
        Clear();
}

void TSchedulerManager::ExecuteSelectedAfterConfirmation()
{
    if (HasSelection())
        Confirm("sSchedulerStartImmediatelly", Options().bdsSchedulerStartImmediatelly);
}

bool TSchedulerManager::ColumnLess(const TSchedulerItem& a, const TSchedulerItem& b, int column) const
{
    return SchedulerColumnLess(a, b, column);
}
