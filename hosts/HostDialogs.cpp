#include "hosts/HostDialogs.h"

#include <algorithm>
#include <utility>

THostForm OpenHostForm(const THostProperties& host, std::vector<std::string> priorityCaptions)
{
    THostForm form;
    form.Name = host.Name;
    form.Address = host.Address;
    form.Description = host.Description;
    form.Temporary = host.Temporary;
    form.Unlimited = host.AllowUnlimitedConnection;
    form.MaxConnections = host.AllowUnlimitedConnection
                              ? kMinHostConnections
                              : std::clamp(host.MaxConnection, kMinHostConnections, kMaxHostConnections);
    form.Priority = host.TrafficPriority;
    form.LoginToServer = host.LoginToServer;
    if (host.LoginToServer) {
        form.UserLogin = host.UserLogin;
        form.UserPassword = host.UserPassword;
    }
    form.PriorityCaptions = std::move(priorityCaptions);
    return form;
}

void ApplyHostForm(const THostForm& form, THostProperties& host)
{
    host.Name = form.Name;
    host.Address = form.Address;
    host.Description = form.Description;
    host.Temporary = form.Temporary;
    host.AllowUnlimitedConnection = form.Unlimited;
    if (!form.Unlimited)
        host.MaxConnection = std::clamp(form.MaxConnections, kMinHostConnections, kMaxHostConnections);
    host.TrafficPriority = form.Priority;
    host.LoginToServer = form.LoginToServer;
    host.UserLogin = form.LoginToServer ? form.UserLogin : std::string();
    host.UserPassword = form.LoginToServer ? form.UserPassword : std::string();
}
