#pragma once

#include <cstdint>
#include <ctime>

// A file time as shares and data files carry it: 100-nanosecond intervals since
// 1601-01-01 UTC. Zero means "no time".
using TFileTime = uint64_t;

TFileTime FileTimeFromTimespec(const timespec& time);
timespec TimespecFromFileTime(TFileTime time);
