// A task list is a file the user opens; it may come from anywhere.
#include "FuzzData.h"
#include "core/XmlValues.h"
#include "support/TaskFakes.h"
#include "tasks/ManagerTask.h"

namespace {

// A task stored as running starts its worker when read, which would copy whatever the input
// names: such tasks are read as waiting instead.
void KeepTasksFromStarting(pugi::xml_node root)
{
    for (pugi::xml_node task : root.children()) {
        std::int32_t state = 0;
        pugi::xml_node stored = task.child("State");
        if (stored && ParseXmlValue(stored.text().get(), state) && state == stateStarted)
            stored.text().set("0");
    }
}

// The list as saved after reading doc.
std::string ReadAndSave(TTaskBed& bed, const pugi::xml_document& doc)
{
    TManagerTask& manager = bed.OpenManager();
    manager.ReadFromNode(doc.document_element());
    manager.RebuildRows();
    pugi::xml_document saved;
    manager.WriteToNode(saved.append_child(manager.RootName()));
    return DocumentText(saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    pugi::xml_document doc;
    if (!ParseDataFile(data, size, doc))
        return 0;
    KeepTasksFromStarting(doc.document_element());
    TTaskBed bed;
    RequireStableSave(doc, [&](const pugi::xml_document& read) { return ReadAndSave(bed, read); },
                      "a saved task list does not read back the same");
    return 0;
}
