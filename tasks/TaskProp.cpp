#include "tasks/TaskProp.h"

#include "core/Links.h"
#include "tasks/TaskItem.h"

#include <tuple>

namespace {

auto Comparable(const TTaskProp& p)
{
    return std::tie(p.Source, p.Destination, p.LoginToSource, p.UserLoginToSource, p.UserPasswordToSource,
                    p.LoginToDestination, p.UserLoginToDestination, p.UserPasswordToDestination, p.TypeStart,
                    p.TrafficPriority);
}

}  // namespace

TTaskProp TaskPropOf(const TTaskItem& task)
{
    return TTaskProp{task.Source,
                     task.Destination,
                     task.LoginToSource,
                     task.UserLoginToSource,
                     task.UserPasswordToSource,
                     task.LoginToDestination,
                     task.UserLoginToDestination,
                     task.UserPasswordToDestination,
                     task.Name(),
                     task.TypeStart,
                     task.TrafficPriority};
}

bool TaskChanged(const TTaskItem& task, const TTaskProp& prop)
{
    const TTaskProp current = TaskPropOf(task);
    return Comparable(current) != Comparable(prop) || (!prop.Name.empty() && prop.Name != current.Name);
}

void ApplyProps(TTaskItem& task, const TTaskProp& prop)
{
    // Compared as read: a name derived from the source changes with the source.
    const std::string before = IncludeTrailingDelimiter(task.Destination) + task.Name();
    task.Source = prop.Source;
    task.Destination = prop.Destination;
    task.LoginToSource = prop.LoginToSource;
    task.UserLoginToSource = prop.UserLoginToSource;
    task.UserPasswordToSource = prop.UserPasswordToSource;
    task.LoginToDestination = prop.LoginToDestination;
    task.UserLoginToDestination = prop.UserLoginToDestination;
    task.UserPasswordToDestination = prop.UserPasswordToDestination;
    if (!prop.Name.empty())
        task.SetName(prop.Name);
    task.TypeStart = prop.TypeStart;
    task.TrafficPriority = prop.TrafficPriority;
    // The bytes loaded so far belong to the old file.
    if (IncludeTrailingDelimiter(task.Destination) + task.Name() != before)
        task.Loaded = 0;
}
