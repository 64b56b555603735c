#pragma once
// The two clocks the renderer's frame timer can run on, with the meaning of the Windows calls
// they stand for: the high-resolution performance counter and the millisecond multimedia clock.
#include <cstdint>

namespace platform {

// QueryPerformanceFrequency: ticks per second, false when there is no such counter.
bool queryPerformanceFrequency(std::int64_t* ticksPerSecond);
// QueryPerformanceCounter: the counter's current reading.
std::int64_t queryPerformanceCounter();
// timeGetTime: milliseconds, wrapping at 2^32.
std::uint32_t timeGetTime();

// A clock as the frame timer sees it; tests hand in their own.
struct ClockSource {
    bool (*frequency)(std::int64_t* ticksPerSecond);
    std::int64_t (*counter)();
    std::uint32_t (*milliseconds)();
};

const ClockSource& systemClock();

}  // namespace platform
