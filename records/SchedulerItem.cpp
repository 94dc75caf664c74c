#include "records/SchedulerItem.h"

#include "core/XmlValues.h"

void TSchedulerItem::ReadFromNode(pugi::xml_node element)
{
    ReadChild(element, "Name", Name);
}

void TSchedulerItem::WriteToNode(pugi::xml_node parent) const
{
    WriteChild(parent.append_child("ScheduledTask"), "Name", Name);
}
