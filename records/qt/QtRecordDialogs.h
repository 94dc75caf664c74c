#pragma once

#include "records/RecordPorts.h"

class QWidget;
class TLangChanger;

// The dialogs of the history and the recycle bin: each one is made for its call, translated
// by the language file (when given), centred on the owner window and shown modally. The
// history's properties open the copy through the desktop (when given).
class TQtRecordDialogs : public IRecordDialogs {
public:
    explicit TQtRecordDialogs(QWidget* owner, const TLangChanger* language = nullptr, IDesktop* desktop = nullptr)
        : Owner_(owner), Language_(language), Desktop_(desktop)
    {
    }
    void ShowRecordProperties(const TRecordPropertiesForm& form) override;
    bool ShowCustomRangeDialog(TDateTime& from, TDateTime& to) override;

private:
    QWidget* Owner_;
    const TLangChanger* Language_;
    IDesktop* Desktop_;
};
