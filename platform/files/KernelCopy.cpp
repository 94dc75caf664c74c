#include "platform/files/KernelCopy.h"

#include <cerrno>
#include <unistd.h>

namespace platform {

int64_t KernelCopy(TFileAccess& from, TFileAccess& to, int64_t count)
{
    const int in = from.Descriptor();
    const int out = to.Descriptor();
    if (in < 0 || out < 0 || count < 0) {
        errno = EINVAL;
        return -1;
    }
    // Both positions move only once the copy has succeeded: all or nothing.
    off_t inAt = off_t(from.Seek(0, SEEK_CUR));
    off_t outAt = off_t(to.Seek(0, SEEK_CUR));
    if (inAt < 0 || outAt < 0)
        return -1;
    int64_t done = 0;
    while (done < count) {
        const int64_t asked = count - done;
        const ssize_t moved = ::copy_file_range(in, &inAt, out, &outAt, size_t(asked), 0);
        if (moved < 0 && errno == EINTR)
            continue;
        if (moved < 0)
            return -1;
        done += moved;
        // Less than asked is mostly the end of the source: the caller's next call finds it
        // (a small file is copied in one call, and its end costs one more, not two).
        if (moved < asked)
            break;
    }
    if (from.Seek(inAt, SEEK_SET) < 0 || to.Seek(outAt, SEEK_SET) < 0)
        return -1;
    return done;
}

} // namespace platform
