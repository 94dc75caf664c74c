#include "hosts/SpeedFormats.h"

#include "config/Options.h"
#include "core/DisplayFormats.h"
#include "core/MessageCatalogue.h"
#include "hosts/TrafficUsage.h"

namespace {

const char* const kPriorityNameIds[kTrafficPriorityCount] = {
    "sLowestPriority", "sLowerPriority", "sMiddlePriority", "sHigherPriority", "sHighestPriority",
};

} // namespace

std::string FormatBitSpeed(uint64_t bitsPerSecond, bool inBits, int unit)
{
    const double base = inBits ? 1000.0 : 1024.0;
    const uint64_t plain = inBits ? bitsPerSecond : bitsPerSecond / 8;
    const double k = double(plain) / base;
    const double m = k / base;
    if (unit == spMega || (unit == spAuto && m > 1.0))
        return FormatOneDecimal(m) + " " + Translate(inBits ? "sSpeedMbit" : "sSpeedMbyte");
    if (unit == spKilo || (unit == spAuto && k > 1.0))
        return FormatOneDecimal(k) + " " + Translate(inBits ? "sSpeedKBit" : "sSpeedKByte");
    return std::to_string(plain) + " " + Translate(inBits ? "sSpeedBit" : "sSpeedByte");
}

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
