#pragma once
// The benchmarks' stopwatch: the monotonic clock in milliseconds, on the same clock as the
// programs' HOARVEIL_TRACE lines, so the two line up.
#include <time.h>

inline double monotonicMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}
