#pragma once

#include "hosts/Host.h"

#include <string>
#include <vector>

// The columns of the host page, by their place.
enum THostColumn : int { hcName = 0, hcConnections = 1, hcAddress = 2, hcDescription = 3 };
inline constexpr int kHostColumnCount = 4;

// A cell's text: the connections column shows the running count alone for an unlimited
// host, else "running/limit".
std::string HostColumnText(const THost& host, THostColumn column);
// The order of a click on the column's header, ascending: texts ignore case, the
// connections column orders by running count, then limit, then name.
bool HostColumnLess(const THost& a, const THost& b, THostColumn column);
// Temporary hosts show icon 1 of the host images, the others icon 0.
int HostImageIndex(const THost& host);
// A row's hint: one "caption: text" line per column, joined by CR LF; empty while
// bShowHintForListView is off.
std::string HostRowHint(const THost& host, const std::vector<std::string>& captions);
