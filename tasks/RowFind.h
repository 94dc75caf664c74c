#pragma once

#include "core/MessageCatalogue.h"
#include "core/RowList.h"
#include "tasks/TaskPorts.h"

#include <string>

// Where the find dialog looks for its text; added together.
enum TFindFlags : int { ffName = 0x1, ffSource = 0x10, ffDestination = 0x100 };

// True when text occurs in one of the fields that flags name, ASCII letters compared
// without case (other scripts match by their exact case).
bool MatchesFindText(const std::string& name, const std::string& source, const std::string& destination,
                     const std::string& text, int flags);

// The same for a record with Name(), Source and Destination: a task, a history record or a
// record of the recycle bin.
template <class TRecord>
bool MatchesFindText(const TRecord& record, const std::string& text, int flags)
{
    return MatchesFindText(record.Name(), record.Source, record.Destination, text, flags);
}

// What the find dialog does on the rows of a list: the downloads, the history and the
// recycle bin search alike. Main thread only.
template <class TRecord>
class TRowFinder {
public:
    TRowFinder(TRowList<TRecord>& rows, ITaskDialogs& dialogs, IDesktop& desktop)
        : Rows_(rows), Dialogs_(dialogs), Desktop_(desktop)
    {
    }

    // Selects every shown row that matches; tells when none does.
    void FindAll(const std::string& text, int flags)
    {
        LastFound_ = nullptr;
        for (int row = 0; row < Rows_.Count(); ++row) {
            auto& entry = Rows_.Row(row);
            entry.Selected = !entry.Hidden && MatchesFindText(*entry.Record, text, flags);
        }
        Rows_.Changed();
        if (Rows_.CountSelected() == 0)
            Dialogs_.MessageBox(Translate("sNoFindedItem"), TMessageKind::Information, mbOK);
    }

    // Selects and focuses the next matching row below the last one found; at the end of
    // the list offers to start over from the top.
    void FindNext(const std::string& text, int flags)
    {
        Rows_.ClearSelection();
        // Rows a filter hides are passed over: a hit there could not be seen.
        for (int row = LastFound_ ? Rows_.IndexOf(LastFound_) + 1 : 0; row < Rows_.Count(); ++row) {
            const auto& entry = Rows_.Row(row);
            if (!entry.Hidden && MatchesFindText(*entry.Record, text, flags)) {
                Rows_.Select(row);
                Rows_.Focus(row);
                LastFound_ = entry.Record;
                return;
            }
        }
        Desktop_.Beep(TBeepKind::Error);
        if (!LastFound_) {
            Dialogs_.MessageBox(Translate("sNoFindedItem"), TMessageKind::Information, mbOK);
            return;
        }
        if (Dialogs_.MessageBox(Translate("sFindedItemEnd"), TMessageKind::Information, mbYes | mbNo) ==
            TModalResult::Yes) {
            LastFound_ = nullptr;
            FindNext(text, flags);
        }
    }

    void ResetFind() { LastFound_ = nullptr; }
    // A record about to be freed must not be where the next search goes on.
    void Forget(const TRecord* record)
    {
        if (LastFound_ == record)
            LastFound_ = nullptr;
    }

private:
    TRowList<TRecord>& Rows_;
    ITaskDialogs& Dialogs_;
    IDesktop& Desktop_;
    const TRecord* LastFound_ = nullptr;
};
