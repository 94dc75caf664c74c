#pragma once

#include "core/XmlRecords.h"
#include "tasks/TaskTypes.h"

#include <cstdint>
#include <string>

// One connection type: a link's full speed and, for each of the four lower priorities, the
// speed a task of that priority is meant to use. The numbers are shown to the user; nothing
// slows a transfer down to them. Speeds are in bits per second.
class TTrafficUsageItem : public TXmlItem {
public:
    TTrafficUsageItem() = default;
    TTrafficUsageItem(const TTrafficUsageItem&) = default;
    TTrafficUsageItem& operator=(const TTrafficUsageItem&) = default;

    uint32_t HighTraffic = 0;
    uint32_t MiddleTraffic = 0;
    uint32_t LowTraffic = 0;
    uint32_t LowestTraffic = 0;
    std::string Name;
    bool Editable = false;   // the user may rename and delete it
    uint32_t Bandwidth = 0;

    void Assign(const TTrafficUsageItem& source) { *this = source; }

    // A "Connection" element of "connections.xml".
    void ReadFromNode(pugi::xml_node element) override;
    void WriteToNode(pugi::xml_node parent) const override;
};

// The speed that a type gives a priority; 0 for the unlimited one.
uint32_t GetPrioritySpeed(const TTrafficUsageItem& type, TTrafficPriority priority);
// Does nothing for the unlimited priority, which has no speed.
void SetPrioritySpeed(TTrafficUsageItem& type, TTrafficPriority priority, uint32_t speed);
// The priority's share of the type's bandwidth in per cent, rounded, halves to even; 0 when
// the type has no bandwidth (only a hand-edited file holds such a type).
int GetPriorityShare(const TTrafficUsageItem& type, TTrafficPriority priority);

// The connection types, the current one and the default priority of new tasks on no host,
// with their file "connections.xml". The program keeps one, which must always hold a type.
class TTrafficUsageCollection : public TFiledCollection<TTrafficUsageItem> {
public:
    explicit TTrafficUsageCollection(IMessageBoxPort& boxes) : TFiledCollection(boxes) {}

    int32_t DefIndex = 0;                       // the current type
    TTrafficPriority DefTraf = tpLowestPriority;  // priority of new tasks on no host

    TTrafficUsageItem& AddConnectionType(const std::string& name);
    // The type at DefIndex, or null when DefIndex selects none.
    TTrafficUsageItem* GetCurrentConnectionType();
    const TTrafficUsageItem* GetCurrentConnectionType() const;
    // Lowers DefIndex to the last type when it points past the end, and returns it.
    int GetCurrentIndex();
    // Copies the file name, the current index, the default priority and every type.
    void Assign(const TTrafficUsageCollection& source);

    void ReadFromNode(pugi::xml_node root) override;
    void WriteToNode(pugi::xml_node root) const override;

private:
    const char* RootName() const override { return "ConnectionsSettings"; }
};
