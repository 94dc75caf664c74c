#pragma once

#include <string>
#include <vector>

// The URIs of the files a file manager copied to the clipboard; empty when it holds none.
// Needs a QGuiApplication.
std::vector<std::string> ClipboardFileUris();
