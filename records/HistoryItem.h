#pragma once

#include "core/DateTime.h"
#include "core/XmlRecords.h"
#include "tasks/TaskPorts.h"

#include <cstdint>
#include <string>

// A finished copy in the history: a "TaskHistory" element of "history.xml".
class THistoryItem : public TXmlItem {
public:
    THistoryItem() = default;
    // A completed task, or one deleted unfinished (completed then means deleted).
    explicit THistoryItem(const TTaskRecord& record);

    std::string Source;
    std::string Destination;          // the folder
    TDateTime TimeCreated;
    TDateTime TimeCompleted;
    int64_t Size = 0;                 // bytes; -1 when never known
    uint32_t TimeDownloaded = 0;      // milliseconds spent copying

    // The stored name, or, when that is empty, the name of the file that Source stands for.
    std::string Name() const;
    void SetName(const std::string& name) { Name_ = name; }
    // The average speed in bits per second, rounded; 0 without a time or a known size.
    int64_t Speed() const;
    // Destination + Name: the copy on disk.
    std::string FileName() const;

    void ReadFromNode(pugi::xml_node element) override;
    void WriteToNode(pugi::xml_node parent) const override;

private:
    std::string Name_;
};

using THistory = TOwnedCollection<THistoryItem>;
