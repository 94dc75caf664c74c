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
    int64_t done = 0;
    while (done < count) {
        const ssize_t moved = ::copy_file_range(in, nullptr, out, nullptr, size_t(count - done), 0);
        if (moved < 0 && errno == EINTR)
            continue;
        if (moved < 0) {
            // All or nothing: the caller copies the whole block again its own way.
            const int error = errno;
            if (done > 0) {
                ::lseek(in, -off_t(done), SEEK_CUR);
                ::lseek(out, -off_t(done), SEEK_CUR);
            }
            errno = error;
            return -1;
        }
        if (moved == 0)
            break;
        done += moved;
    }
    return done;
}

} // namespace platform
