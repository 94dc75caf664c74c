#pragma once

#include "core/MessageCatalogue.h"
#include "records/HistoryManager.h"
#include "records/RecycleBinManager.h"
#include "records/SchedulerManager.h"
#include "support/TaskFakes.h"

#include <deque>
#include <string>
#include <utility>
#include <vector>

// Record dialogs answered from a script; a range dialog without an answer is cancelled.
class TScriptedRecordDialogs : public IRecordDialogs {
public:
    void ShowRecordProperties(const TRecordPropertiesForm& form) override { Shown.push_back(form); }
    bool ShowCustomRangeDialog(TDateTime& from, TDateTime& to) override
    {
        Proposed.emplace_back(from, to);
        if (Ranges.empty())
            return false;
        std::tie(from, to) = Ranges.front();
        Ranges.pop_front();
        return true;
    }

    std::vector<TRecordPropertiesForm> Shown;
    std::deque<std::pair<TDateTime, TDateTime>> Ranges;
    std::vector<std::pair<TDateTime, TDateTime>> Proposed;
};

// The adding flow, recording "source>folder " per task it is handed.
class TRecordingAdding : public ITaskAdding {
public:
    void AddFileList(const std::vector<std::string>& sources, const std::vector<std::string>& folders,
                     bool silent) override
    {
        for (std::size_t i = 0; i < sources.size(); ++i)
            Added += sources[i] + ">" + folders.at(i) + (silent ? " silent " : " ");
    }
    std::string Added;
};

// The task bed's fakes (options reset, a manual clock) under the record managers; message
// texts are their identifiers.
class TRecordBed {
public:
    TRecordBed() { ClearMessageTexts(); }

    TTaskBed Tasks;
    TScriptedRecordDialogs RecordDialogs;
    TRecordingAdding Adding;
    TRecordEnvironment Environment{Tasks.Boxes,   Tasks.Clock,   Tasks.Shell, Tasks.Dialogs,
                                   RecordDialogs, Tasks.Desktop, Adding};

    // A record of name, from "/src/<name>" into "/dst/<name>", completed (or deleted)
    // daysAgo before now.
    TTaskRecord Record(const std::string& name, double daysAgo = 0, int64_t size = 1) const
    {
        const TDateTime completed{Tasks.Clock.Date.Value - daysAgo};
        return TTaskRecord{name, "/src/" + name, "/dst/" + name, size, 2000, completed,
                           TDateTime{completed.Value - 0.5}};
    }
};

// The names of a list's rows top to bottom, of those pick accepts, separated by blanks.
template <class TRows, class Pick>
std::string RowNames(const TRows& rows, Pick pick)
{
    std::string names;
    for (int row = 0; row < rows.Count(); ++row)
        if (pick(rows.Row(row)))
            names += (names.empty() ? "" : " ") + rows.Record(row)->Name();
    return names;
}
template <class TRows>
std::string RowNames(const TRows& rows)
{
    return RowNames(rows, [](const auto&) { return true; });
}
template <class TRows>
std::string ShownNames(const TRows& rows)
{
    return RowNames(rows, [](const auto& row) { return !row.Hidden; });
}
template <class TRows>
void SelectNames(TRows& rows, const std::string& names)
{
    for (int row = 0; row < rows.Count(); ++row)
        rows.Row(row).Selected = (" " + names + " ").find(" " + rows.Record(row)->Name() + " ") != std::string::npos;
    rows.Changed();
}
