#include "records/RecycleBinItem.h"

#include "core/Links.h"
#include "core/XmlFallbacks.h"

TRecycleBinItem::TRecycleBinItem(const TTaskRecord& record)
    : Source(record.Source), Destination(record.Destination), TimeCreated(record.TimeCreated), Size(record.Size),
      TimeDeleted(record.TimeCompleted), Name_(record.Name)
{
}

std::string TRecycleBinItem::Name() const
{
    return Name_.empty() ? ExtractFileName(Source) : Name_;
}

void TRecycleBinItem::ReadFromNode(pugi::xml_node element)
{
    ReadChild(element, "Name", Name_);
    ReadChild(element, "Source", Source);
    ReadChild(element, "Destination", Destination);
    ReadChildOr(element, "Size", Size, int64_t(0));
    ReadChildOr(element, "TimeCreated", TimeCreated, TDateTime{});
    // The element's name has always been spelled so; files depend on it.
    ReadChildOr(element, "TemeDeleted", TimeDeleted, TDateTime{});
}

void TRecycleBinItem::WriteToNode(pugi::xml_node parent) const
{
    pugi::xml_node element = parent.append_child("RecycleBin");
    WriteChild(element, "Name", Name());
    WriteChild(element, "Source", Source);
    WriteChild(element, "Destination", Destination);
    WriteChild(element, "Size", Size);
    WriteChild(element, "TimeCreated", TimeCreated);
    WriteChild(element, "TemeDeleted", TimeDeleted);
}
