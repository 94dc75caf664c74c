#pragma once

#include <string_view>

// The text of Languages/english.lng, built into the program.
std::string_view BuiltInEnglishLanguage();
