#pragma once

#include <string>
#include <vector>

// The lists whose column captions come from the language file.
enum TCaptionedList {
    clRecycleBin,
    clTaskList,
    clHosts,
    clHistory,
    clScheduler,
    clTaskLog,
    clHistoryInfo,
    clTaskInfo,  // takes the captions of the history info list
};
constexpr int kCaptionedListCount = clTaskInfo + 1;

// The messages that name the list's columns: its caption family followed by the column
// number from 0 ("CaptionListColumns0" ... "CaptionListColumns12" for the task list).
std::vector<std::string> ColumnCaptionIds(TCaptionedList list);

// The list's column captions from the message catalogue, column 0 first.
std::vector<std::string> ColumnCaptions(TCaptionedList list);
