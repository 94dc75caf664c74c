#include "hosts/HostColumns.h"

#include "config/Options.h"
#include "core/DisplayFormats.h"
#include "core/TextCase.h"

std::string HostColumnText(const THost& host, THostColumn column)
{
    switch (column) {
    case hcName: return host.Name;
    case hcConnections:
        if (host.AllowUnlimitedConnection)
            return std::to_string(host.ActiveConnection);
        return std::to_string(host.ActiveConnection) + "/" + std::to_string(host.MaxConnection);
    case hcAddress: return host.Address;
    case hcDescription: return host.Description;
    default: return {};
    }
}

bool HostColumnLess(const THost& a, const THost& b, THostColumn column)
{
    switch (column) {
    case hcConnections:
        if (a.ActiveConnection != b.ActiveConnection)
            return a.ActiveConnection < b.ActiveConnection;
        if (a.MaxConnection != b.MaxConnection)
            return a.MaxConnection < b.MaxConnection;
        return CompareText(a.Name, b.Name) < 0;
    case hcAddress: return CompareText(a.Address, b.Address) < 0;
    case hcDescription: return CompareText(a.Description, b.Description) < 0;
    default: return CompareText(a.Name, b.Name) < 0;
    }
}

int HostImageIndex(const THost& host)
{
    return host.Temporary ? 1 : 0;
}

std::string HostRowHint(const THost& host, const std::vector<std::string>& captions)
{
    if (!Options().bShowHintForListView)
        return {};
    std::vector<std::string> texts;
    for (int column = 0; column < kHostColumnCount; ++column)
        texts.push_back(HostColumnText(host, THostColumn(column)));
    return ListRowHint(captions, texts);
}
