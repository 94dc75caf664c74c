#include "transfer/UserAgent.h"

#include "app/VersionText.h"
#include "config/MessageCatalogue.h"
#include "core/MessageFormat.h"

std::string QuorvexUserAgentString()
{
    return FormatMessage("%s (%s - %s)", {VersionText(), std::string("Velmora"), Translate("sSite")});
}
