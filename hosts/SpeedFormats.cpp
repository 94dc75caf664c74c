#include "hosts/SpeedFormats.h"

#include "config/Options.h"
#include "core/DisplayFormats.h"
#include "core/MessageCatalogue.h"
#include "hosts/TrafficUsage.h"

std::string FormatPriorityCaption(const TTrafficUsageCollection& types, TTrafficPriority priority)
{
    const TTrafficUsageItem* type = types.GetCurrentConnectionType();
    if (priority == tpHighestPriority || !type)
        return PriorityName(priority);
    return PriorityName(priority) + " - " +
           FormatBitSpeed(GetPrioritySpeed(*type, priority), Options().MeasureSpeedInBits, spAuto) + " (" +
           std::to_string(GetPriorityShare(*type, priority)) + "%)";
}

std::vector<std::string> PriorityCaptions(const TTrafficUsageCollection& types)
{
    std::vector<std::string> captions;
    for (int priority = 0; priority < kTrafficPriorityCount; ++priority)
        captions.push_back(FormatPriorityCaption(types, TTrafficPriority(priority)));
    return captions;
}
