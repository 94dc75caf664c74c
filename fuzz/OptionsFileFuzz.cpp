// "options.xml" is the user's to edit; the store reads it from its file, and what the
// program saves of it must read back to the same save.
#include "FuzzData.h"
#include "config/OptionsFile.h"
#include "support/TaskFakes.h"
#include "support/TempDir.h"

#include <filesystem>

namespace {

// The file that saving options gives.
std::string SavedText(const TOptions& options, const std::string& path, IMessageBoxPort& boxes)
{
    std::filesystem::remove(path);
    TXMLStorage store(path, boxes);
    store.Open();
    Require(SaveOptions(store, options), "options could not be saved");
    return ReadFileBytes(path);
}

TOptions ReadFrom(const std::string& path, IMessageBoxPort& boxes)
{
    TXMLStorage store(path, boxes);
    // A file that does not parse stays where it is: the next input replaces it.
    store.Open(TBrokenFile::Leave);
    TOptions options;
    ReadOptions(store, options);
    return options;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const TTempDir dir;
    const std::string path = dir.File("options.xml");
    const std::string saved = dir.File("saved.xml");
    WriteFileBytes(path, std::string(reinterpret_cast<const char*>(data), size));
    TRecordingBoxes boxes;
    const std::string once = SavedText(ReadFrom(path, boxes), saved, boxes);
    Require(SavedText(ReadFrom(saved, boxes), saved, boxes) == once, "saved options read back differently");
    return 0;
}
