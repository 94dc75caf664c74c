#include "tasks/DuplicateDialogModel.h"

#include "config/Options.h"
#include "core/Links.h"

TDuplicateDialogModel::TDuplicateDialogModel(const std::string& destination, const std::string& name)
    : Path(IncludeTrailingDelimiter(destination) + name)
{
}

bool TDuplicateDialogModel::Accept(std::string& destination, std::string& name) const
{
    if (Remember)
        Options().DuplicateTaskWhatToDo = Rename ? 0 : 1;
    if (!Rename)
        return false;
    destination = ExtractDir(Path);
    name = ExtractName(Path);
    return true;
}
