#include "hosts/Host.h"

#include "core/XmlFallbacks.h"

void THost::ReadFromNode(pugi::xml_node element)
{
    ReadChild(element, "Name", Name);
    ReadChild(element, "Address", Address);
    ReadChild(element, "Description", Description);
    ReadChildOr(element, "LoginToServer", LoginToServer, false);
    ReadChild(element, "UserLogin", UserLogin);
    ReadChild(element, "UserPassword", UserPassword);
    ReadChildOr(element, "AllowUnlimitedConnection", AllowUnlimitedConnection, false);
    ReadChildOr(element, "MaxConnection", MaxConnection, 1);
    // A limit below one transfer would keep the host's tasks waiting for ever.
    if (MaxConnection < 1)
        MaxConnection = 1;
    // A word or an unknown number reads as the middle priority, as in the task list.
    ReadOrdinalChild(element, "TrafficPriority", kTrafficPriorityCount, tpMiddlePriority, TrafficPriority);
    ActiveConnection = 0;
}

void THost::WriteToNode(pugi::xml_node parent) const
{
    pugi::xml_node element = parent.append_child("Host");
    WriteChild(element, "Name", Name);
    WriteChild(element, "Address", Address);
    WriteChild(element, "Description", Description);
    WriteChild(element, "LoginToServer", LoginToServer);
    WriteChild(element, "UserLogin", UserLogin);
    WriteChild(element, "UserPassword", UserPassword);
    WriteChild(element, "AllowUnlimitedConnection", AllowUnlimitedConnection);
    WriteChild(element, "MaxConnection", MaxConnection);
    WriteChild(element, "TrafficPriority", TrafficPriority);
}

THost& THosts::AddHost(const THostProperties& properties)
{
    THost& host = Add();
    host.SetProperties(properties);
    return host;
}

void THosts::WriteToNode(pugi::xml_node root) const
{
    for (int i = 0; i < Count(); ++i)
        if (!Items(i).Temporary)
            Items(i).WriteToNode(root);
}
