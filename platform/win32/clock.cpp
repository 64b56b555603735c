// The renderer's two clocks on Windows: the performance counter and the multimedia timer.
#include "platform/clock.h"

#include <windows.h>
#include <mmsystem.h>

namespace platform {

bool queryPerformanceFrequency(std::int64_t* ticksPerSecond)
{
    LARGE_INTEGER frequency{};
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0)
        return false;
    *ticksPerSecond = frequency.QuadPart;
    return true;
}

std::int64_t queryPerformanceCounter()
{
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

std::uint32_t timeGetTime() { return ::timeGetTime(); }

}  // namespace platform
