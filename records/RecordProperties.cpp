#include "records/RecordProperties.h"

#include "core/DisplayFormats.h"

std::string PropertiesSizeText(int64_t size)
{
    return FormatSize(suAuto, size) + "  (" + FormatSize(suByte, size) + ")";
}

TRecordPropertiesForm HistoryPropertiesForm(const THistoryItem& item)
{
    return TRecordPropertiesForm{item.Name(),
                                 item.Source,
                                 item.Destination,
                                 PropertiesSizeText(item.Size),
                                 FormatDateTime(item.TimeCreated),
                                 FormatDateTime(item.TimeCompleted),
                                 item.FileName()};
}

TRecordPropertiesForm RecycleBinPropertiesForm(const TRecycleBinItem& item)
{
    return TRecordPropertiesForm{item.Name(),
                                 item.Source,
                                 item.Destination,
                                 PropertiesSizeText(item.Size),
                                 FormatDateTime(item.TimeCreated),
                                 FormatDateTime(item.TimeDeleted),
                                 {}};
}
