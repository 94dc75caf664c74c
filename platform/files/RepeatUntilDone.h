#pragma once

#include <cerrno>
#include <cstdint>

namespace platform {

// What a call that moved no bytes means: the end of the data (reads), or a stuck peer
// that must not make us spin (writes).
enum class TZeroMeans { End, Failure };

// Repeats a read or write that may do less than asked until count bytes are done.
// step(done, remaining) returns the bytes it moved or -1 with errno set; EINTR is retried.
// Returns the bytes done (fewer only at the end of the data) or -1.
template <class TStep>
int64_t RepeatUntilDone(int64_t count, TZeroMeans zero, TStep step)
{
    if (count < 0) {
        errno = EINVAL;
        return -1;
    }
    int64_t done = 0;
    while (done < count) {
        const int64_t moved = step(done, count - done);
        if (moved < 0 && errno == EINTR)
            continue;
        if (moved < 0)
            return -1;
        if (moved == 0) {
            if (zero == TZeroMeans::End)
                break;
            errno = EIO;
            return -1;
        }
        done += moved;
    }
    return done;
}

} // namespace platform
