// "connections.xml" is the user's to edit.
#include "FuzzData.h"
#include "hosts/SpeedFormats.h"
#include "hosts/TrafficUsage.h"
#include "support/TaskFakes.h"

namespace {

// The connection types as saved after reading doc; shows every caption on the way.
std::string ReadAndSave(IMessageBoxPort& boxes, const pugi::xml_document& doc)
{
    TTrafficUsageCollection types(boxes);
    types.ReadFromNode(doc.document_element());
    types.GetCurrentIndex();
    PriorityCaptions(types);
    pugi::xml_document saved;
    types.WriteToNode(saved.append_child("ConnectionsSettings"));
    return DocumentText(saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    pugi::xml_document doc;
    if (!ParseDataFile(data, size, doc))
        return 0;
    TRecordingBoxes boxes;
    RequireStableSave(doc, [&](const pugi::xml_document& read) { return ReadAndSave(boxes, read); },
                      "saved connection types do not read back the same");
    return 0;
}
