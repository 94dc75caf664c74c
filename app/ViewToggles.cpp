#include "app/ViewToggles.h"

#include <cstring>

const TViewToggle* FindViewToggle(const char* command)
{
    for (const TViewToggle& toggle : kViewToggles)
        if (std::strcmp(toggle.Command, command) == 0)
            return &toggle;
    return nullptr;
}

bool ToggleView(const char* command)
{
    const TViewToggle* toggle = FindViewToggle(command);
    if (!toggle)
        return false;
    bool& value = Options().*toggle->Option;
    value = !value;
    return value;
}

bool ViewToggleEnabled(const char* command)
{
    return std::strcmp(command, "actShowHintInStatusBar") != 0 || Options().bShowStatusBar;
}
