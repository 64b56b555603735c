// The clocks as the frame timer sees them, over each system's own calls.
#include "platform/clock.h"

namespace platform {
namespace {

bool noCounter(std::int64_t*) { return false; }

}  // namespace

const ClockSource& systemClock()
{
    static const ClockSource clock{queryPerformanceFrequency, queryPerformanceCounter, timeGetTime};
    return clock;
}

const ClockSource& millisecondClock()
{
    static const ClockSource clock{noCounter, queryPerformanceCounter, timeGetTime};
    return clock;
}

}  // namespace platform
