#pragma once

#include "tasks/TaskPorts.h"

#include <mutex>
#include <vector>

// Hosts without connection limits: every host always takes one more connection.
class TNoHostLimits : public ITaskHosts {
public:
    bool CanConnect(const std::string&) override { return true; }
    void ConnectionOpened(const std::string&) override {}
    void ConnectionClosed(const std::string&) override {}
    void EnsureTaskHost(TTaskItem&, bool) override {}
    TTrafficPriority DefaultPriority() const override { return Default; }
    void SetDefaultPriority(TTrafficPriority priority) override { Default = priority; }
    // No host gives a login: new tasks take the default priority only.
    void GetHostDefaults(std::string_view, bool allowGlobal, THostDefaults& defaults) const override
    {
        if (allowGlobal)
            defaults.Priority = Default;
    }

    TTrafficPriority Default = tpLowestPriority;
};

// A history or recycle bin that only keeps its records in memory, in the order given.
class TRecordedTasks : public ITaskHistory, public ITaskRecycleBin {
public:
    void AddHistoryRecord(const TTaskRecord& record) override { History.push_back(record); }
    void AddRecycleBinRecord(const TTaskRecord& record) override { RecycleBin.push_back(record); }

    std::vector<TTaskRecord> History;
    std::vector<TTaskRecord> RecycleBin;
};
