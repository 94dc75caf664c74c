#pragma once

#include "core/XmlRecords.h"
#include "tasks/TaskItem.h"

class TManagerTask;

// The ordered task list. Its order is the order of the file, the order in which the tick
// looks at tasks and the number the list view shows.
class TTaskCollection : public TOwnedCollection<TTaskItem> {
public:
    explicit TTaskCollection(TManagerTask& manager) : Manager_(manager) {}

    TManagerTask& Manager() const { return Manager_; }

    // Changes whenever a task may need the queue's tick where it needed none before: tasks
    // came, went or moved, or one left a settled state (IsSettled).
    uint64_t TickChanges() const { return Restructures() + Awakenings_; }
    void NoteAwakening() { ++Awakenings_; }
    // Counts the times a queued task left the queue (stateWait for another state).
    uint64_t Departures() const { return Departures_; }
    void NoteDeparture() { ++Departures_; }

    // Appends one task per child of root; each gets its host after it was read (a task
    // stored as running has started by then).
    void ReadFromNode(pugi::xml_node root) override;

protected:
    std::unique_ptr<TTaskItem> NewItem() override { return std::make_unique<TTaskItem>(*this); }

private:
    TManagerTask& Manager_;
    uint64_t Awakenings_ = 0;
    uint64_t Departures_ = 0;
};
