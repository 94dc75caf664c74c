#include "core/XmlRecords.h"

#include "core/SafeFile.h"

#include <filesystem>
#include <utility>

namespace {

const char* const kErrorCaption = "Error!";
const char* const kCantRead = "Can't read file";
const char* const kCantWrite = "Can't write file";

class TStringWriter : public pugi::xml_writer {
public:
    std::string Text;
    void write(const void* data, size_t size) override { Text.append(static_cast<const char*>(data), size); }
};

void ReportRead(IMessageBoxPort& boxes, const std::string& path, const std::string& detail)
{
    boxes.ShowErrorBox(kErrorCaption, std::string(kCantRead) + " " + path + "\n" + detail);
}

void ReportWrite(IMessageBoxPort& boxes, const std::string& path, const std::string& detail)
{
    boxes.ShowErrorBox(kErrorCaption, std::string(kCantWrite) + " " + path + "\n" + detail);
}

bool IsParseError(pugi::xml_parse_status status)
{
    switch (status) {
    case pugi::status_file_not_found:
    case pugi::status_io_error:
    case pugi::status_out_of_memory:
    case pugi::status_internal_error:
        return false;
    default:
        return true;
    }
}

} // namespace

TXmlLoadStatus LoadXmlFile(const std::string& path, pugi::xml_document& doc, IMessageBoxPort& boxes, TBrokenFile broken)
{
    doc.reset();
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error)
        return TXmlLoadStatus::Missing;

    const pugi::xml_parse_result result = doc.load_file(path.c_str(), kXmlParseOptions);
    if (result)
        return TXmlLoadStatus::Loaded;
    doc.reset(); // a failed parse leaves a partial tree
    if (result.status == pugi::status_file_not_found)
        return TXmlLoadStatus::Missing;
    if (!IsParseError(result.status)) {
        ReportRead(boxes, path, result.description());
        return TXmlLoadStatus::Unreadable;
    }

    const std::string problem =
        std::string(result.description()) + " at offset " + std::to_string(result.offset);
    if (broken == TBrokenFile::Leave) {
        ReportRead(boxes, path, problem);
        return TXmlLoadStatus::Unreadable;
    }
    std::string reason;
    if (!KeepFileAside(path, reason)) {
        ReportRead(boxes, path, problem + "; it could not be kept aside (" + reason + ") and will not be overwritten");
        return TXmlLoadStatus::Unreadable;
    }
    ReportRead(boxes, path, problem + "; it was kept as " + KeptAsidePath(path));
    return TXmlLoadStatus::KeptAside;
}

bool SaveXmlFile(const pugi::xml_document& doc, const std::string& path, IMessageBoxPort& boxes, unsigned mode)
{
    TStringWriter writer;
    writer.Text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    doc.save(writer, "  ", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
    std::string reason;
    if (WriteFileSafely(path, writer.Text, reason, mode))
        return true;
    ReportWrite(boxes, path, reason);
    return false;
}

bool TXmlFile::Load(const std::string& name, const std::function<void(pugi::xml_node root)>& read)
{
    FileName_ = name;
    pugi::xml_document doc;
    const TXmlLoadStatus status = LoadXmlFile(name, doc, Boxes_);
    if (status == TXmlLoadStatus::Unreadable) {
        Refused_ = name;
        RefusalReported_ = false;
    } else if (Refused_ == name) {
        Refused_.clear();
    }
    if (status != TXmlLoadStatus::Loaded)
        return false;
    read(doc.document_element());
    return true;
}

bool TXmlFile::Save(const std::string& name, const char* rootName,
                    const std::function<void(pugi::xml_node root)>& write)
{
    if (!name.empty())
        FileName_ = name;
    if (FileName_.empty())
        return false;
    if (FileName_ == Refused_) {
        if (!std::exchange(RefusalReported_, true))
            ReportWrite(Boxes_, FileName_, "The file could not be read when loaded; it is left unchanged");
        return false;
    }
    pugi::xml_document doc;
    write(doc.append_child(rootName));
    return SaveXmlFile(doc, FileName_, Boxes_, Mode_);
}

void TXmlManager::LoadFromFile(const std::string& name)
{
    if (ClearOnLoad())
        ClearItems();
    File_.Load(name, [this](pugi::xml_node root) { ReadFromNode(root); });
}

bool TXmlManager::SaveToFile(const std::string& name)
{
    return File_.Save(name, RootName(), [this](pugi::xml_node root) { WriteToNode(root); });
}
