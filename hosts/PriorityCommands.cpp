#include "hosts/PriorityCommands.h"

#include "hosts/SpeedFormats.h"
#include "tasks/ManagerTask.h"

TPriorityCommandsState GetPriorityCommandsState(const TManagerTask& manager, const TTrafficUsageCollection& types)
{
    const TTrafficPriority current = manager.GetSelectionPriority();
    TPriorityCommandsState state;
    for (int tag = 0; tag < kTrafficPriorityCount; ++tag) {
        state.SetTraf[std::size_t(tag)].Caption = FormatPriorityCaption(types, TTrafficPriority(tag));
        state.SetTraf[std::size_t(tag)].Checked = tag == current;
    }
    state.ChangeTrafUseImage = kPriorityImageBase + current;
    return state;
}

void SetTrafficPriority(TManagerTask& manager, int tag)
{
    if (tag >= 0 && tag < kTrafficPriorityCount)
        manager.SetSelectionPriority(TTrafficPriority(tag));
}

void ChangeTrafficUse(TManagerTask& manager)
{
    manager.SetSelectionPriority(manager.GetSelectionPriority());
}
