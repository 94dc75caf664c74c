#include "config/ColumnCaptions.h"

#include "core/MessageCatalogue.h"

namespace {

struct TCaptionFamily {
    const char* Family;
    int Columns;
};

const TCaptionFamily kFamilies[kCaptionedListCount] = {
    {"CaptionRecycleBinColumns", 6},
    {"CaptionListColumns", 13},
    {"CaptionHostsColumns", 4},
    {"CaptionHistoryColumns", 8},
    {"CaptionSchedulerColumns", 5},
    {"CaptionlogColumns", 4},
    {"CaptionHistoryInfoColumns", 2},
    {"CaptionHistoryInfoColumns", 2},
};

} // namespace

std::vector<std::string> ColumnCaptionIds(TCaptionedList list)
{
    const TCaptionFamily& family = kFamilies[list];
    std::vector<std::string> ids;
    for (int column = 0; column < family.Columns; ++column)
        ids.push_back(family.Family + std::to_string(column));
    return ids;
}

std::vector<std::string> ColumnCaptions(TCaptionedList list)
{
    std::vector<std::string> captions;
    for (const std::string& id : ColumnCaptionIds(list))
        captions.push_back(Translate(id));
    return captions;
}
