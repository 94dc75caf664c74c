#pragma once

// The enumerations of tasks. Their ordinals are stored in task-list files and "hosts.xml".

enum TTaskState : int {
    stateWait = 0,            // queued; the tick starts it when the limits allow
    stateStarted = 1,         // running, or started and about to run
    stateStopped = 2,         // stopped by the user, or added with manual start
    stateError = 3,           // the last run failed; it runs again after the retry pause
    stateErrorStopped = 4,    // failed for good; only the user starts it again
    stateCompleted = 5,
    stateScheduled = 6,       // start mode tsShedule: never started by itself
    stateTemporaryPaused = 7, // paused for PauseTemporaryTimeout minutes, then queued again
};
inline constexpr int kTaskStateCount = 8;

// States the queue's tick passes over: the task waits for the user or its schedule, or is done.
constexpr bool IsSettled(TTaskState state)
{
    return state == stateStopped || state == stateErrorStopped || state == stateCompleted || state == stateScheduled;
}

enum TTaskStart : int { tsAutomatic = 0, tsManually = 1, tsShedule = 2 };
inline constexpr int kTaskStartCount = 3;

enum TFTPDownloadMode : int { hmBinary = 0, hmAscii = 1 };

enum TTrafficPriority : int {
    tpLowestPriority = 0,
    tpLowerPriority = 1,
    tpMiddlePriority = 2,
    tpHigherPriority = 3,
    tpHighestPriority = 4,  // unlimited
};
inline constexpr int kTrafficPriorityCount = 5;
