#pragma once

#include <string>

// The title of the application, its main window and the tray icon's hint: the version,
// the maker and the text of sSite ("Quorvex 0.1.0 — Velmora: https://...").
std::string MainWindowTitle();
