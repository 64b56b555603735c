// The clocks as the frame timer sees them, over each system's own calls.
#include "platform/clock.h"

namespace platform {

const ClockSource& systemClock()
{
    static const ClockSource clock{queryPerformanceFrequency, queryPerformanceCounter, timeGetTime};
    return clock;
}

}  // namespace platform
