#include "transfer/UserAgent.h"

#include "core/MessageCatalogue.h"
#include "core/MessageFormat.h"
#include "core/VersionText.h"

std::string QuorvexUserAgentString()
{
    return FormatMessage("%s (%s - %s)", {VersionText(), std::string("Velmora"), Translate("sSite")});
}
