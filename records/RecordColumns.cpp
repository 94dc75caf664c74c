#include "records/RecordColumns.h"

#include "config/Options.h"
#include "core/DisplayFormats.h"
#include "core/TextCase.h"
#include "hosts/SpeedFormats.h"

namespace {

std::string SizeText(int64_t size)
{
    return FormatSize(Options().iSizeType, size);
}

template <class TItem, class TText>
std::string RowHint(const TItem& item, int columns, TText text, const std::vector<std::string>& captions)
{
    if (!Options().bShowHintForListView)
        return {};
    std::vector<std::string> texts;
    for (int column = 0; column < columns; ++column)
        texts.push_back(text(item, column));
    return ListRowHint(captions, texts);
}

bool TextLess(const std::string& a, const std::string& b)
{
    return CompareText(a, b) < 0;
}

} // namespace

std::string TimeDownloadedText(uint32_t milliseconds)
{
    return milliseconds < 1000 ? "<" + FormatDuration(1000) : FormatDuration(milliseconds);
}

std::string HistoryColumnText(const THistoryItem& item, int column)
{
    const TOptions& o = Options();
    switch (column) {
    case 0: return item.Name();
    case 1: return SizeText(item.Size);
    case 2: return FormatDateTime(item.TimeCreated);
    case 3: return FormatDateTime(item.TimeCompleted);
    case 4: return TimeDownloadedText(item.TimeDownloaded);
    case 5: return FormatBitSpeed(uint64_t(item.Speed()), o.MeasureSpeedInBits, o.iSpeedType);
    case 6: return item.Source;
    case 7: return item.Destination;
    default: return {};
    }
}

bool HistoryColumnLess(const THistoryItem& a, const THistoryItem& b, int column)
{
    switch (column) {
    case 1: return a.Size < b.Size;
    case 2: return a.TimeCreated < b.TimeCreated;
    case 3: return a.TimeCompleted < b.TimeCompleted;
    case 4: return a.TimeDownloaded < b.TimeDownloaded;
    case 5: return a.Speed() < b.Speed();
    case 6: return TextLess(a.Source, b.Source);
    case 7: return TextLess(a.Destination, b.Destination);
    default: return TextLess(a.Name(), b.Name());
    }
}

std::string HistoryRowHint(const THistoryItem& item, const std::vector<std::string>& captions)
{
    return RowHint(item, kHistoryColumnCount, HistoryColumnText, captions);
}

std::string RecycleBinColumnText(const TRecycleBinItem& item, int column)
{
    switch (column) {
    case 0: return item.Name();
    case 1: return SizeText(item.Size);
    case 2: return FormatDateTime(item.TimeCreated);
    case 3: return FormatDateTime(item.TimeDeleted);
    case 4: return item.Source;
    case 5: return item.Destination;
    default: return {};
    }
}

bool RecycleBinColumnLess(const TRecycleBinItem& a, const TRecycleBinItem& b, int column)
{
    switch (column) {
    case 1: return a.Size < b.Size;
    case 2: return a.TimeCreated < b.TimeCreated;
    case 3: return a.TimeDeleted < b.TimeDeleted;
    case 4: return TextLess(a.Source, b.Source);
    case 5: return TextLess(a.Destination, b.Destination);
    default: return TextLess(a.Name(), b.Name());
    }
}

std::string RecycleBinRowHint(const TRecycleBinItem& item, const std::vector<std::string>& captions)
{
    return RowHint(item, kRecycleBinColumnCount, RecycleBinColumnText, captions);
}

std::string SchedulerColumnText(const TSchedulerItem& item, int column)
{
    switch (column) {
    case 0: return item.Name;
    case 1: return item.Description();
    case 2: return FormatDateTime(item.TimeNext);
    case 3: return FormatDateTime(item.TimeLast);
    case 4: return item.StatusText();
    default: return {};
    }
}

bool SchedulerColumnLess(const TSchedulerItem& a, const TSchedulerItem& b, int column)
{
    switch (column) {
    case 1: return a.TimeCreated < b.TimeCreated;
    case 2: return a.TimeNext < b.TimeNext;
    case 3: return a.TimeLast < b.TimeLast;
    case 4: return a.Status < b.Status;
    default: return TextLess(a.Name, b.Name);
    }
}

std::string SchedulerRowHint(const TSchedulerItem& item, const std::vector<std::string>& captions)
{
    return RowHint(item, kSchedulerColumnCount, SchedulerColumnText, captions);
}
