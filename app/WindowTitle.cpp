#include "app/WindowTitle.h"

#include "core/MessageCatalogue.h"
#include "core/VersionText.h"

std::string MainWindowTitle()
{
    return VersionText() + " \u2014 Velmora: " + Translate("sSite");
}
