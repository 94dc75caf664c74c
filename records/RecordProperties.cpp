#include "records/RecordProperties.h"

#include "core/DisplayFormats.h"

#include <utility>

std::string PropertiesSizeText(int64_t size)
{
    return FormatSize(suAuto, size) + "  (" + FormatSize(suByte, size) + ")";
}

namespace {

// What both records show alike; ended is when the copy completed or was deleted.
TRecordPropertiesForm PropertiesForm(const TCopyRecordItem& item, TDateTime ended, std::string fileName)
{
    return TRecordPropertiesForm{item.Name(),
                                 item.Source,
                                 item.Destination,
                                 PropertiesSizeText(item.Size),
                                 FormatDateTime(item.TimeCreated),
                                 FormatDateTime(ended),
                                 std::move(fileName)};
}

} // namespace

TRecordPropertiesForm HistoryPropertiesForm(const THistoryItem& item)
{
    return PropertiesForm(item, item.TimeCompleted, item.FileName());
}

TRecordPropertiesForm RecycleBinPropertiesForm(const TRecycleBinItem& item)
{
    TRecordPropertiesForm form = PropertiesForm(item, item.TimeDeleted, {});
    form.Deleted = true;
    return form;
}
