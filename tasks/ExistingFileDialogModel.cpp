#include "tasks/ExistingFileDialogModel.h"

bool TExistingFileDialogModel::OkEnabled() const
{
    if (Decision != efRename)
        return true;
    return !Name.empty() && Name != "." && Name != ".." && Name.find_first_of("/\\") == std::string::npos;
}

bool TExistingFileDialogModel::Accept(TExistingFileDecision& decision, std::string& name, bool& remember) const
{
    if (!OkEnabled())
        return false;
    decision = Decision;
    if (Decision == efRename)
        name = Name;
    remember = Remember;
    return true;
}
