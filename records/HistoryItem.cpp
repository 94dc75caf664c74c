#include "records/HistoryItem.h"

#include "core/Links.h"
#include "core/XmlFallbacks.h"

#include <cmath>

THistoryItem::THistoryItem(const TTaskRecord& record)
    : Source(record.Source), Destination(record.Destination), TimeCreated(record.TimeCreated),
      TimeCompleted(record.TimeCompleted), Size(record.Size), TimeDownloaded(record.TimeDownloaded),
      Name_(record.Name)
{
}

std::string THistoryItem::Name() const
{
    // Named as a task names its copy, so that the file opens where the copy went.
    return Name_.empty() ? ExtractFileName(Source) : Name_;
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
    ReadChild(element, "Name", Name_);
    ReadChild(element, "Source", Source);
    ReadChild(element, "Destination", Destination);
    // Numbers and dates that do not convert read as 0.
    ReadChildOr(element, "Size", Size, int64_t(0));
    ReadChildOr(element, "TimeCreated", TimeCreated, TDateTime{});
    ReadChildOr(element, "TimeCompleted", TimeCompleted, TDateTime{});
    ReadChildOr(element, "TimeDownloaded", TimeDownloaded, uint32_t(0));
}

void THistoryItem::WriteToNode(pugi::xml_node parent) const
{
    pugi::xml_node element = parent.append_child("TaskHistory");
    WriteChild(element, "Name", Name());
    WriteChild(element, "Source", Source);
    WriteChild(element, "Destination", Destination);
    WriteChild(element, "Size", Size);
    WriteChild(element, "TimeCreated", TimeCreated);
    WriteChild(element, "TimeCompleted", TimeCompleted);
    WriteChild(element, "TimeDownloaded", TimeDownloaded);
}
