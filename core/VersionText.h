#pragma once

#include <string>

// The product name and version, as the window title, the splash and the agent string show
// it: "Quorvex 0.1.0", followed by the release label when the build has one.
std::string VersionText();
