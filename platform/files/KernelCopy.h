#pragma once

#include "platform/files/FileAccess.h"

#include <cstdint>

namespace platform {

// Copies up to count bytes from one open local file to another inside the kernel
// (copy_file_range: no trip through user memory, and a reflink where the file system can),
// from and to their current positions, which move on by what was copied. Returns the bytes
// copied, fewer where the kernel copied less at once (the end of the source, mostly; 0 there);
// or -1 with errno set, both positions left
// where they were, when the kernel cannot copy between these files (another file system,
// a share) or the copy failed.
int64_t KernelCopy(TFileAccess& from, TFileAccess& to, int64_t count);

} // namespace platform
