#include "records/HistoryItem.h"

#include "core/Links.h"
#include "core/XmlFallbacks.h"

#include <cmath>

THistoryItem::THistoryItem(const TTaskRecord& record)
    : TCopyRecordItem(record), TimeCompleted(record.TimeCompleted), TimeDownloaded(record.TimeDownloaded)
{
}

int64_t THistoryItem::Speed() const
{
    if (TimeDownloaded == 0 || Size <= 0)
        return 0;
    return std::llround(double(Size) * 8000.0 / double(TimeDownloaded));
}

std::string THistoryItem::FileName() const
{
    return AppendFileName(Destination, Name());
}

void THistoryItem::ReadFromNode(pugi::xml_node element)
{
    ReadCommon(element);
    ReadChildOr(element, "TimeCompleted", TimeCompleted, TDateTime{});
    ReadChildOr(element, "TimeDownloaded", TimeDownloaded, uint32_t(0));
}

void THistoryItem::WriteToNode(pugi::xml_node parent) const
{
    pugi::xml_node element = WriteCommon(parent, "TaskHistory");
    WriteChild(element, "TimeCompleted", TimeCompleted);
    WriteChild(element, "TimeDownloaded", TimeDownloaded);
}
