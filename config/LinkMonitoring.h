#pragma once

#include <string_view>

// The clipboard-monitoring option for the kind of s; false for other strings.
bool IsLinkMonitored(std::string_view s);
