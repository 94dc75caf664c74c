#include "core/FileTime.h"

namespace {
constexpr int64_t kSecondsFrom1601To1970 = 11644473600LL;
constexpr int64_t kTicksPerSecond = 10000000LL;
} // namespace

TFileTime FileTimeFromTimespec(const timespec& time)
{
    const int64_t seconds = int64_t(time.tv_sec) + kSecondsFrom1601To1970;
    if (seconds < 0)
        return 0;
    return TFileTime(seconds) * kTicksPerSecond + TFileTime(time.tv_nsec / 100);
}

timespec TimespecFromFileTime(TFileTime time)
{
    timespec result{};
    result.tv_sec = time_t(int64_t(time / kTicksPerSecond) - kSecondsFrom1601To1970);
    result.tv_nsec = long(time % kTicksPerSecond) * 100;
    return result;
}
