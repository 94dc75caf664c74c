#pragma once

#include "records/CopyRecordItem.h"

// A finished copy in the history: a "TaskHistory" element of "history.xml".
class THistoryItem : public TCopyRecordItem {
public:
    THistoryItem() = default;
    // A completed task, or one deleted unfinished (completed then means deleted).
    explicit THistoryItem(const TTaskRecord& record);

    TDateTime TimeCompleted;
    uint32_t TimeDownloaded = 0;      // milliseconds spent copying

    // The average speed in bits per second, rounded; 0 without a time or a known size.
    int64_t Speed() const;
    // Destination + Name: the copy on disk.
    std::string FileName() const;

    void ReadFromNode(pugi::xml_node element) override;
    void WriteToNode(pugi::xml_node parent) const override;
};

using THistory = TOwnedCollection<THistoryItem>;
