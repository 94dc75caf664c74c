// "options.xml" is the user's to edit; the store reads it from its file.
#include "FuzzData.h"
#include "config/OptionsFile.h"
#include "support/TaskFakes.h"
#include "support/TempDir.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const TTempDir dir;
    const std::string path = dir.File("options.xml");
    WriteFileBytes(path, std::string(reinterpret_cast<const char*>(data), size));
    TRecordingBoxes boxes;
    TXMLStorage store(path, boxes);
    store.Open();
    TOptions options;
    ReadOptions(store, options);
    std::vector<std::string> list;
    store.ReadStrings("Defaults", "ListSource", list);
    return 0;
}
