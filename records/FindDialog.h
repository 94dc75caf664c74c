#pragma once

#include "tasks/RowFind.h"

#include <functional>
#include <string>
#include <utility>

// The find operations of the page in front: the downloads, the history or the recycle bin.
struct TFindTarget {
    std::function<void(const std::string& text, int flags)> FindAll;
    std::function<void(const std::string& text, int flags)> FindNext;
    std::function<void()> ResetFind;
};

template <class TManager>
TFindTarget FindTargetOf(TManager& manager)
{
    return {[&manager](const std::string& text, int flags) { manager.FindAll(text, flags); },
            [&manager](const std::string& text, int flags) { manager.FindNext(text, flags); },
            [&manager] { manager.ResetFind(); }};
}

// The find dialog's state and commands; one per opening of the dialog. Its list of
// earlier texts is the option ListFinded.
class TFindDialogModel {
public:
    explicit TFindDialogModel(TFindTarget target) : Target_(std::move(target)) {}

    std::string Text;
    bool InName = true;
    bool InSource = true;
    bool InDestination = true;

    int Flags() const
    {
        return (InName ? ffName : 0) | (InSource ? ffSource : 0) | (InDestination ? ffDestination : 0);
    }
    // Both commands need a text and a field to look in.
    bool CanFind() const { return !Text.empty() && Flags() != 0; }
    // "Find next": the first search after opening or after "select all" starts at the top.
    void FindNext();
    // "Select all".
    void SelectAll();

private:
    void RememberText() const;

    TFindTarget Target_;
    bool FirstSearch_ = true;
};
