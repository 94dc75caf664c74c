#pragma once

#include "config/SystemIntegration.h"

// A session whose two states the test sets, recording what the program changes.
class TFakeSystemIntegration : public ISystemIntegration {
public:
    bool StartWithSession = false;
    bool Integrated = false;
    int StartWithSessionSets = 0;
    int IntegrationSets = 0;
    bool Refuses = false;  // a session that keeps its states whatever is asked

    bool IsStartWithWindows() const override { return StartWithSession; }
    void SetStartWithWindows(bool on) override
    {
        StartWithSession = Refuses ? StartWithSession : on;
        ++StartWithSessionSets;
    }
    bool IsExplorerIntegrated() const override { return Integrated; }
    bool SetExplorerIntegration(bool on) override
    {
        Integrated = Refuses ? Integrated : on;
        ++IntegrationSets;
        return !Refuses;
    }
};
