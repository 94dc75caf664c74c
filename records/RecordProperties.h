#pragma once

#include "records/HistoryItem.h"
#include "records/RecordPorts.h"
#include "records/RecycleBinItem.h"

// What the properties dialogs of a history record and a recycle-bin record show. The
// history's dialog opens the copy; the recycle bin's has nothing to open.
TRecordPropertiesForm HistoryPropertiesForm(const THistoryItem& item);
TRecordPropertiesForm RecycleBinPropertiesForm(const TRecycleBinItem& item);

// "1.5 MB  (1572864 B)": the size in automatic units and in bytes.
std::string PropertiesSizeText(int64_t size);
