#pragma once

#include "records/RecordPorts.h"

class QWidget;

// The dialogs of the history and the recycle bin. The properties show as a message with
// every field; the custom date range is refused until its window exists.
class TQtRecordDialogs : public IRecordDialogs {
public:
    explicit TQtRecordDialogs(QWidget* owner) : Owner_(owner) {}
    void ShowRecordProperties(const TRecordPropertiesForm& form) override;
    bool ShowCustomRangeDialog(TDateTime& from, TDateTime& to) override;

private:
    QWidget* Owner_;
};
