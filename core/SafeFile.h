#pragma once

#include <string>
#include <string_view>

// Replaces the file at path with contents so that a crash or a full disk never leaves a
// half-written file: the data goes to a temporary file in the same folder, is flushed to
// disk and renamed over the old file, and the folder entry is flushed too. On failure the
// temporary file is removed, the old file stays as it was, and reason tells why.
// A symbolic link at path is followed: its target is replaced.
bool WriteFileSafely(const std::string& path, std::string_view contents, std::string& reason,
                     unsigned mode = 0644);

// The name under which a file that cannot be read is kept aside.
std::string KeptAsidePath(const std::string& path);

// Renames path to KeptAsidePath(path), replacing an older one, so that the next save
// does not overwrite data that might still be rescued by hand.
bool KeepFileAside(const std::string& path, std::string& reason);
