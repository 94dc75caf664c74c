// "hosts.xml" is the user's to edit.
#include "FuzzData.h"
#include "hosts/ManagerHost.h"
#include "hosts/TrafficUsage.h"
#include "support/TaskFakes.h"

namespace {

// Reading asks nothing.
class TNoHostDialogs : public IHostDialogs {
public:
    bool ShowHostProperties(THostForm&) override { return false; }
    bool ShowNewConnection(std::string&, std::string&) override { return false; }
    bool ShowEditConnectionName(std::string&) override { return false; }
};

// The hosts as saved after reading doc.
std::string ReadAndSave(THostEnvironment& environment, const pugi::xml_document& doc)
{
    TManagerHost hosts(environment, {});
    hosts.ReadFromNode(doc.document_element());
    for (int i = 0; i < hosts.Hosts().Count(); ++i)
        hosts.FindHost(hosts.Hosts()[i].Address);
    pugi::xml_document saved;
    hosts.WriteToNode(saved.append_child(hosts.RootName()));
    return DocumentText(saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    pugi::xml_document doc;
    if (!ParseDataFile(data, size, doc))
        return 0;
    TTaskBed bed;
    TNoHostDialogs hostDialogs;
    TTrafficUsageCollection types(bed.Boxes);
    THostEnvironment environment{bed.Boxes, bed.Dialogs, hostDialogs, bed.Desktop, types};
    RequireStableSave(doc, [&](const pugi::xml_document& read) { return ReadAndSave(environment, read); },
                      "a saved host list does not read back the same");
    return 0;
}
