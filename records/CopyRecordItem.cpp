#include "records/CopyRecordItem.h"

#include "core/Links.h"
#include "core/XmlFallbacks.h"

TCopyRecordItem::TCopyRecordItem(const TTaskRecord& record)
    : Source(record.Source), Destination(record.Destination), TimeCreated(record.TimeCreated), Size(record.Size),
      Name_(record.Name)
{
}

std::string TCopyRecordItem::Name() const
{
    // Named as a task names its copy, so that the file opens where the copy went.
    return Name_.empty() ? ExtractFileName(Source) : Name_;
}

void TCopyRecordItem::ReadCommon(pugi::xml_node element)
{
    ReadChild(element, "Name", Name_);
    ReadChild(element, "Source", Source);
    ReadChild(element, "Destination", Destination);
    ReadChildOr(element, "Size", Size, int64_t(0));
    ReadChildOr(element, "TimeCreated", TimeCreated, TDateTime{});
}

pugi::xml_node TCopyRecordItem::WriteCommon(pugi::xml_node parent, const char* elementName) const
{
    pugi::xml_node element = parent.append_child(elementName);
    WriteChild(element, "Name", Name());
    WriteChild(element, "Source", Source);
    WriteChild(element, "Destination", Destination);
    WriteChild(element, "Size", Size);
    WriteChild(element, "TimeCreated", TimeCreated);
    return element;
}
