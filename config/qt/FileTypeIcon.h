#pragma once

#include <QIcon>

#include <string>

// The icon of a file's type from the theme, by the extension of its name alone: the file
// may be gone, or on a share or behind a link that must not be touched. Kept per extension;
// main thread only.
QIcon FileTypeIcon(const std::string& name);
