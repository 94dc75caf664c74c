#pragma once

#include "core/DateTime.h"
#include "core/XmlRecords.h"
#include "tasks/TaskPorts.h"

#include <cstdint>
#include <string>

// What the history and the recycle bin keep of every task alike: its name, where it copied
// from and to, its size and when it was made. Each record adds its own times.
class TCopyRecordItem : public TXmlItem {
public:
    std::string Source;
    std::string Destination;          // the folder
    TDateTime TimeCreated;
    int64_t Size = 0;                 // bytes; -1 when never known

    // The stored name, or, when that is empty, the name of the file that Source stands for.
    std::string Name() const;
    void SetName(const std::string& name) { Name_ = name; }

protected:
    TCopyRecordItem() = default;
    explicit TCopyRecordItem(const TTaskRecord& record);
    // The shared elements, in the order both files keep them; numbers and dates that do not
    // convert read as 0.
    void ReadCommon(pugi::xml_node element);
    // Appends the record's element named elementName with the shared children.
    pugi::xml_node WriteCommon(pugi::xml_node parent, const char* elementName) const;

private:
    std::string Name_;
};
