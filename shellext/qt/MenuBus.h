#pragma once

#include <string>

// Calls AddFiles or AddFilesSilent of the program's automation object on the session bus; the
// bus starts the program by its activation file when it is not running. Returns an empty text
// on success, else what went wrong. Needs a QCoreApplication.
std::string CallQuorvex(const char* method, const std::string& files, const std::string& folder);
