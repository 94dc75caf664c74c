#pragma once

#include "core/DateTime.h"
#include "core/XmlRecords.h"

#include <cstdint>
#include <string>

// An item of the scheduler page: a "ScheduledTask" element of "scheduler.xml". Only its
// name is stored; nothing ever runs it, so its times stay 0 and its texts empty.
class TSchedulerItem : public TXmlItem {
public:
    std::string Name;
    bool Enabled = true;
    TDateTime TimeCreated;
    TDateTime TimeStart;
    TDateTime TimeNext;
    TDateTime TimeLast;
    int32_t Status = 0;               // the row's state image

    std::string Description() const { return {}; }
    std::string StatusText() const { return {}; }

    void ReadFromNode(pugi::xml_node element) override;
    void WriteToNode(pugi::xml_node parent) const override;
};

using TScheduler = TOwnedCollection<TSchedulerItem>;
