#pragma once

#include <string>

class TTaskItem;

// Whether the run is over for the task: nothing in this run will start it again. A task
// paused after its retries would wait half an hour: here it counts as failed.
bool TaskEnded(const TTaskItem& task);
bool TaskFailed(const TTaskItem& task);
// Whether the task is worth a progress line: copying, or waiting for its next try.
bool TaskActive(const TTaskItem& task);

// "name: 12.0 MB of 300.0 MB, 4%, 9.5 MB/s, copying".
std::string ProgressLine(const TTaskItem& task);
// "name: completed, 300.0 MB in /dest/name", or the state and, after a failure, its reason.
std::string FinalLine(const TTaskItem& task);
