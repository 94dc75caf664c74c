#include "tasks/ManagerTask.h"

#include "core/MessageCatalogue.h"

#include <algorithm>

namespace {

// Only ASCII letters change: the search matches other scripts by their exact case.
std::string AsciiUpper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
    return text;
}

bool Contains(const std::string& field, const std::string& upperText)
{
    return AsciiUpper(field).find(upperText) != std::string::npos;
}

} // namespace

bool TManagerTask::RowMatches(const TTaskItem& task, const std::string& upperText, int flags) const
{
    return ((flags & ffName) && Contains(task.Name(), upperText)) ||
           ((flags & ffSource) && Contains(task.Source, upperText)) ||
           ((flags & ffDestination) && Contains(task.Destination, upperText));
}

void TManagerTask::FindAll(const std::string& text, int flags)
{
    LastFound_ = nullptr;
    const std::string upperText = AsciiUpper(text);
    for (int row = 0; row < Rows_.Count(); ++row) {
        auto& entry = Rows_.Row(row);
        entry.Selected = !entry.Hidden && RowMatches(*entry.Record, upperText, flags);
    }
    Rows_.Changed();
    if (!HasSelection())
        Env_.Dialogs.MessageBox(Translate("sNoFindedItem"), TMessageKind::Information, mbOK);
}

void TManagerTask::FindNext(const std::string& text, int flags)
{
    Rows_.ClearSelection();
    const std::string upperText = AsciiUpper(text);
    // Rows the filter hides are passed over: a hit there could not be seen.
    for (int row = LastFound_ ? Rows_.IndexOf(LastFound_) + 1 : 0; row < Rows_.Count(); ++row) {
        const auto& entry = Rows_.Row(row);
        if (!entry.Hidden && RowMatches(*entry.Record, upperText, flags)) {
            Rows_.Select(row);
            Rows_.Focus(row);
            LastFound_ = entry.Record;
            return;
        }
    }
    Env_.Desktop.Beep(TBeepKind::Error);
    if (!LastFound_) {
        Env_.Dialogs.MessageBox(Translate("sNoFindedItem"), TMessageKind::Information, mbOK);
        return;
    }
    if (Env_.Dialogs.MessageBox(Translate("sFindedItemEnd"), TMessageKind::Information, mbYes | mbNo) ==
        TModalResult::Yes) {
        LastFound_ = nullptr;
        FindNext(text, flags);
    }
}
