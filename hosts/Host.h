#pragma once

#include "core/XmlRecords.h"
#include "tasks/TaskTypes.h"

#include <cstdint>
#include <string>

// What a host stores and the host dialog edits: everything but the live count.
struct THostProperties {
    std::string Name;
    std::string Address;              // the prefix of the paths the host covers
    std::string Description;
    bool LoginToServer = false;       // new tasks take UserLogin and UserPassword
    std::string UserLogin;
    std::string UserPassword;         // plain text, as stored
    bool AllowUnlimitedConnection = true;
    int32_t MaxConnection = 1;        // transfers at once, unless unlimited
    TTrafficPriority TrafficPriority = tpLowestPriority;  // of new tasks on the host
    bool Temporary = false;           // never written to the file
};

// A server that tasks copy from or to, with a limit on the transfers that run against it
// at once. Main thread only.
class THost : public TXmlItem, public THostProperties {
public:
    int32_t ActiveConnection = 0;     // transfers running now; never stored

    const THostProperties& Properties() const { return *this; }
    void SetProperties(const THostProperties& properties) { THostProperties::operator=(properties); }

    // A "Host" element of "hosts.xml".
    void ReadFromNode(pugi::xml_node element) override;
    void WriteToNode(pugi::xml_node parent) const override;
};

// The hosts in the order in which FindHost tries them.
class THosts : public TOwnedCollection<THost> {
public:
    THost& AddHost(const THostProperties& properties);
    // Every host but the temporary ones.
    void WriteToNode(pugi::xml_node root) const override;
};
