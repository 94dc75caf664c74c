#pragma once

#include "hosts/HostDialogs.h"
#include "hosts/ManagerHost.h"
#include "hosts/TrafficUsage.h"
#include "support/TaskFakes.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

// Host and connection dialogs answered from scripts; a dialog without an answer left is
// cancelled.
class TScriptedHostDialogs : public IHostDialogs {
public:
    bool ShowHostProperties(THostForm& form) override
    {
        return Next(HostAnswers, [&](auto& edit) { return edit(form); });
    }
    bool ShowNewConnection(std::string& name, std::string& bandwidth) override
    {
        NewConnectionShown.emplace_back(name, bandwidth);
        return Next(NewConnectionAnswers, [&](auto& typed) {
            std::tie(name, bandwidth) = typed;
            return true;
        });
    }
    bool ShowEditConnectionName(std::string& name) override
    {
        return Next(NameAnswers, [&](auto& typed) {
            name = typed;
            return true;
        });
    }

    std::deque<std::function<bool(THostForm&)>> HostAnswers;  // edit the form; true for OK
    std::deque<std::pair<std::string, std::string>> NewConnectionAnswers;  // typed name, bandwidth
    std::deque<std::string> NameAnswers;
    std::vector<std::pair<std::string, std::string>> NewConnectionShown;

private:
    template <class T, class Answer>
    static bool Next(std::deque<T>& answers, Answer answer)
    {
        if (answers.empty())
            return false;
        T next = std::move(answers.front());
        answers.pop_front();
        return answer(next);
    }
};

// A task bed whose tasks ask a real host manager, with connection types and scripted host
// dialogs.
class THostBed {
public:
    explicit THostBed(TBedClock clock = TBedClock::Manual) : Bed(clock) {}
    // The task manager's workers close their connections before the hosts go.
    ~THostBed() { Bed.CloseManager(); }

    TManagerHost& OpenHosts(const std::string& fileName = {})
    {
        Hosts = std::make_unique<TManagerHost>(Environment, fileName);
        Bed.UseHosts(*Hosts);
        return *Hosts;
    }
    // A host with a row and a limit (0: none) covering every path that begins with address.
    THost& AddHost(const std::string& address, int limit = 0, const std::string& name = "h")
    {
        THostProperties properties;
        properties.Name = name;
        properties.Address = address;
        properties.AllowUnlimitedConnection = limit == 0;
        properties.MaxConnection = limit == 0 ? 1 : limit;
        THost& host = Hosts->Hosts().AddHost(properties);
        Hosts->Rows().Add(&host);
        return host;
    }

    TTaskBed Bed;
    TScriptedHostDialogs HostDialogs;
    TTrafficUsageCollection ConnectionTypes{Bed.Boxes};
    THostEnvironment Environment{Bed.Boxes, Bed.Dialogs, HostDialogs, Bed.Desktop, ConnectionTypes};
    std::unique_ptr<TManagerHost> Hosts;
};
