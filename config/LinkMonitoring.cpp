#include "config/LinkMonitoring.h"

#include "config/Options.h"
#include "core/Links.h"

bool IsLinkMonitored(std::string_view s)
{
    const TOptions& options = Options();
    if (IsFTPLink(s))
        return options.bMonitorFTP;
    if (IsHTTPLink(s))
        return options.bMonitorHTTP;
    if (IsUNCPath(s))
        return options.bMonitorNetbios;
    if (IsLocalPath(s))
        return options.bMonitorLocal;
    return false;
}
