#pragma once

#include "hosts/HostDialogs.h"

// The dialogs of the host page and of the connection types; each answers Cancel until its
// window exists, so that nothing changes behind the user's back.
class TQtHostDialogs : public IHostDialogs {
public:
    bool ShowHostProperties(THostForm&) override { return false; }
    bool ShowNewConnection(std::string&, std::string&) override { return false; }
    bool ShowEditConnectionName(std::string&) override { return false; }
};
