#include "core/VersionText.h"

#ifndef QUORVEX_VERSION
#define QUORVEX_VERSION "0.0.0"
#endif
#ifndef QUORVEX_RELEASE_LABEL
#define QUORVEX_RELEASE_LABEL ""
#endif

std::string VersionText()
{
    std::string text = std::string("Quorvex ") + QUORVEX_VERSION;
    if (const std::string label = QUORVEX_RELEASE_LABEL; !label.empty())
        text += " " + label;
    return text;
}
