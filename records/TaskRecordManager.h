#pragma once

#include "records/RecordManager.h"
#include "tasks/RowFind.h"

#include <cstdint>
#include <string>
#include <vector>

// A record list of copies that tasks left behind (the history, the recycle bin): it can be
// searched, totalled, and sent back to the task list.
template <class TItem>
class TTaskRecordManager : public TRecordManager<TItem> {
public:
    explicit TTaskRecordManager(TRecordEnvironment& environment)
        : TRecordManager<TItem>(environment), Finder_(this->Rows_, environment.Dialogs, environment.Desktop)
    {
    }

    // The find dialog. Flags are TFindFlags.
    void FindAll(const std::string& text, int flags) { Finder_.FindAll(text, flags); }
    void FindNext(const std::string& text, int flags) { Finder_.FindNext(text, flags); }
    void ResetFind() { Finder_.ResetFind(); }

    // Sums of Size for the status bar.
    int64_t TotalSizeShown() const { return TotalSize(false); }
    int64_t TotalSizeSelected() const { return TotalSize(true); }

    // Hands the source and destination folder of every selected shown record, top to
    // bottom, to the task list's adding flow, after the page's question.
    void RestoreSelectedAfterConfirmation(const char* messageId, bool& dontAskFlag)
    {
        if (!this->HasSelection() || !this->Confirm(messageId, dontAskFlag))
            return;
        std::vector<std::string> sources;
        std::vector<std::string> folders;
        for (const TItem* record : this->Rows_.SelectedRecords()) {
            sources.push_back(record->Source);
            folders.push_back(record->Destination);
        }
        this->Env_.Shell.ShowTaskPage();
        this->Env_.Adding.AddFileList(sources, folders, false);
    }

protected:
    void Forget(const TItem* record) override { Finder_.Forget(record); }

    // Every selected shown record's field, each followed by a line break.
    template <class TField>
    std::string SelectedLines(TField field) const
    {
        std::string text;
        for (const TItem* record : this->Rows_.SelectedRecords())
            text += (*record).*field + "\r\n";
        return text;
    }

private:
    int64_t TotalSize(bool selectedOnly) const
    {
        int64_t total = 0;
        for (int row = 0; row < this->Rows_.Count(); ++row) {
            const auto& entry = this->Rows_.Row(row);
            if (!entry.Hidden && (entry.Selected || !selectedOnly))
                total += entry.Record->Size;
        }
        return total;
    }

    TRowFinder<TItem> Finder_;
};
