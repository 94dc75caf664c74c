#include "tasks/PriorityNames.h"

#include "core/MessageCatalogue.h"

namespace {

const char* const kPriorityNameIds[kTrafficPriorityCount] = {
    "sLowestPriority", "sLowerPriority", "sMiddlePriority", "sHigherPriority", "sHighestPriority",
};

} // namespace

std::vector<std::string> PriorityNames()
{
    std::vector<std::string> names;
    for (const char* id : kPriorityNameIds)
        names.push_back(Translate(id));
    return names;
}

std::string PriorityName(TTrafficPriority priority)
{
    if (priority < 0 || priority >= kTrafficPriorityCount)
        return {};
    return Translate(kPriorityNameIds[priority]);
}
