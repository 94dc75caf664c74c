#pragma once

#include <string>

// The name the program introduces itself with to FTP and web servers:
// "Quorvex 0.1.0 (Velmora - <site>)".
std::string QuorvexUserAgentString();
