#include "records/RecycleBinItem.h"

#include "core/XmlFallbacks.h"

TRecycleBinItem::TRecycleBinItem(const TTaskRecord& record)
    : TCopyRecordItem(record), TimeDeleted(record.TimeCompleted)
{
}

void TRecycleBinItem::ReadFromNode(pugi::xml_node element)
{
    ReadCommon(element);
    // The element's name has always been spelled so; files depend on it.
    ReadChildOr(element, "TemeDeleted", TimeDeleted, TDateTime{});
}

void TRecycleBinItem::WriteToNode(pugi::xml_node parent) const
{
    pugi::xml_node element = WriteCommon(parent, "RecycleBin");
    WriteChild(element, "TemeDeleted", TimeDeleted);
}
