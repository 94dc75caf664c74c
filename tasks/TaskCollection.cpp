#include "tasks/TaskCollection.h"

#include "config/Options.h"
#include "tasks/ManagerTask.h"

void TTaskCollection::ReadFromNode(pugi::xml_node root)
{
    BeginUpdate();
    try {
        for (pugi::xml_node child : root.children()) {
            if (child.type() != pugi::node_element)
                continue;
            TTaskItem& task = Add();
            task.ReadFromNode(child);
            Manager_.Environment().Hosts.EnsureTaskHost(task, Options().bTemporaryHostDefault);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}
