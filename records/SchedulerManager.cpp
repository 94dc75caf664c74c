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
    TRecordManager::DeleteSelectedAfterConfirmation("sAllSelectedSchedulerDelete", Options().bdsAllSelectedSchedulerDelete);
}

void TSchedulerManager::ClearAfterConfirmation()
{
    TRecordManager::ClearAfterConfirmation(HasRecords(), "sSchedulerClear", Options().bdsSchedulerClear);
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
