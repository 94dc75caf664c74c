#pragma once

#include "core/DateTime.h"
#include "core/XmlRecords.h"
#include "tasks/TaskPorts.h"

#include <cstdint>
#include <string>

// A task the user deleted from the list: a "RecycleBin" element of "recyclebin.xml".
class TRecycleBinItem : public TXmlItem {
public:
    TRecycleBinItem() = default;
    // The record's completion time is the time of deletion.
    explicit TRecycleBinItem(const TTaskRecord& record);

    std::string Source;
    std::string Destination;          // the folder
    TDateTime TimeCreated;
    int64_t Size = 0;                 // bytes; -1 when never known
    TDateTime TimeDeleted;

    // The stored name, or, when that is empty, the name of the file that Source stands for.
    std::string Name() const;
    void SetName(const std::string& name) { Name_ = name; }

    void ReadFromNode(pugi::xml_node element) override;
    void WriteToNode(pugi::xml_node parent) const override;

private:
    std::string Name_;
};

using TRecycleBin = TOwnedCollection<TRecycleBinItem>;
