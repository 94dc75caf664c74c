#pragma once

#include "records/CopyRecordItem.h"

// A task the user deleted from the list: a "RecycleBin" element of "recyclebin.xml".
class TRecycleBinItem : public TCopyRecordItem {
public:
    TRecycleBinItem() = default;
    // The record's completion time is the time of deletion.
    explicit TRecycleBinItem(const TTaskRecord& record);

    TDateTime TimeDeleted;

    void ReadFromNode(pugi::xml_node element) override;
    void WriteToNode(pugi::xml_node parent) const override;
};

using TRecycleBin = TOwnedCollection<TRecycleBinItem>;
