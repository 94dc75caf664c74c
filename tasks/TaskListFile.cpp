#include "tasks/TaskListFile.h"

#include "tasks/ManagerTask.h"

#include <utility>

TTaskListFile::TTaskListFile(TManagerTask& manager, std::string remembered)
    : Manager_(manager), Remembered_(std::move(remembered))
{
}

void TTaskListFile::New(const std::string& name)
{
    Manager_.NewList(name);
}

void TTaskListFile::Open(const std::string& name)
{
    Manager_.OpenFile(name);
}

void TTaskListFile::Append(const std::string& name)
{
    Manager_.LoadFromFile(name);
}

bool TTaskListFile::Save()
{
    // An empty name would save to the current file instead.
    return !Remembered_.empty() && Manager_.SaveToFile(Remembered_);
}

bool TTaskListFile::SaveAs(const std::string& name)
{
    Remembered_ = name;
    return Save();
}
