#include <windows.h>

#include "bench/frame_loop.h"

double processCpuSeconds()
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    const auto seconds = [](const FILETIME& time) {
        return (double(time.dwHighDateTime) * 4294967296.0 + time.dwLowDateTime) / 1e7;  // 100 ns units
    };
    return seconds(kernel) + seconds(user);
}
