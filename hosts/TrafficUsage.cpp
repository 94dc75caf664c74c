#include "hosts/TrafficUsage.h"

#include "core/XmlFallbacks.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A speed of the file: any text that is no number from 0 to 4294967295 gives 0. Every
// value the program writes reads back, a link faster than 2 Gbit/s included.
void ReadSpeed(pugi::xml_node element, const char* name, uint32_t& value)
{
    int64_t number = 0;
    if (!element.child(name))
        return;
    if (!ReadChild(element, name, number) || number < 0 || number > std::numeric_limits<uint32_t>::max())
        number = 0;
    value = uint32_t(number);
}

uint32_t TTrafficUsageItem::* SpeedField(TTrafficPriority priority)
{
    switch (priority) {
    case tpLowestPriority: return &TTrafficUsageItem::LowestTraffic;
    case tpLowerPriority: return &TTrafficUsageItem::LowTraffic;
    case tpMiddlePriority: return &TTrafficUsageItem::MiddleTraffic;
    case tpHigherPriority: return &TTrafficUsageItem::HighTraffic;
    case tpHighestPriority: break;
    }
    return nullptr;
}

} // namespace

void TTrafficUsageItem::ReadFromNode(pugi::xml_node element)
{
    ReadChild(element, "Name", Name);
    ReadSpeed(element, "Bandwidth", Bandwidth);
    ReadSpeed(element, "High", HighTraffic);
    ReadSpeed(element, "Midlle", MiddleTraffic);
    ReadSpeed(element, "Low", LowTraffic);
    ReadSpeed(element, "Lowest", LowestTraffic);
    ReadChildOr(element, "Editable", Editable, false);
}

void TTrafficUsageItem::WriteToNode(pugi::xml_node parent) const
{
    pugi::xml_node element = parent.append_child("Connection");
    WriteChild(element, "Name", Name);
    WriteChild(element, "Bandwidth", Bandwidth);
    WriteChild(element, "High", HighTraffic);
    WriteChild(element, "Midlle", MiddleTraffic);
    WriteChild(element, "Low", LowTraffic);
    WriteChild(element, "Lowest", LowestTraffic);
    WriteChild(element, "Editable", Editable);
}

uint32_t GetPrioritySpeed(const TTrafficUsageItem& type, TTrafficPriority priority)
{
    const auto field = SpeedField(priority);
    return field ? type.*field : 0;
}

void SetPrioritySpeed(TTrafficUsageItem& type, TTrafficPriority priority, uint32_t speed)
{
    if (const auto field = SpeedField(priority))
        type.*field = speed;
}

int GetPriorityShare(const TTrafficUsageItem& type, TTrafficPriority priority)
{
    if (type.Bandwidth == 0)
        return 0;
    // nearbyint rounds halves to even in the default rounding mode. A hand-edited file may give
    // a priority far more than the bandwidth: its share is cut to what an int holds.
    const double share = std::nearbyint(double(GetPrioritySpeed(type, priority)) / double(type.Bandwidth) * 100.0);
    return int(std::min(share, double(std::numeric_limits<int>::max())));
}

TTrafficUsageItem& TTrafficUsageCollection::AddConnectionType(const std::string& name)
{
    TTrafficUsageItem& type = Add();
    type.Name = name;
    return type;
}

TTrafficUsageItem* TTrafficUsageCollection::GetCurrentConnectionType()
{
    return DefIndex >= 0 && DefIndex < Count() ? &Items(DefIndex) : nullptr;
}

const TTrafficUsageItem* TTrafficUsageCollection::GetCurrentConnectionType() const
{
    return DefIndex >= 0 && DefIndex < Count() ? &Items(DefIndex) : nullptr;
}

int TTrafficUsageCollection::GetCurrentIndex()
{
    if (DefIndex > Count() - 1)
        DefIndex = Count() - 1;
    return DefIndex;
}

void TTrafficUsageCollection::Assign(const TTrafficUsageCollection& source)
{
    if (&source == this)
        return;
    File_.SetFileName(source.FileName());
    DefIndex = std::min(source.DefIndex, source.Count() - 1);
    DefTraf = source.DefTraf;
    Clear();
    for (int i = 0; i < source.Count(); ++i)
        Add().Assign(source[i]);
}

void TTrafficUsageCollection::ReadFromNode(pugi::xml_node root)
{
    ReadChildOr(root, "DefIndex", DefIndex, 0);
    // No stored index may leave the program without a current type.
    if (DefIndex < 0)
        DefIndex = 0;
    ReadOrdinalChild(root, "DefTraf", kTrafficPriorityCount, tpLowestPriority, DefTraf);
    if (pugi::xml_node connections = root.child("Connections"))
        TOwnedCollection::ReadFromNode(connections);
}

void TTrafficUsageCollection::WriteToNode(pugi::xml_node root) const
{
    WriteChild(root, "DefIndex", DefIndex);
    WriteChild(root, "DefTraf", DefTraf);
    TOwnedCollection::WriteToNode(root.append_child("Connections"));
}
