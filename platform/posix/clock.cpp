#include "platform/clock.h"

#include <ctime>

namespace platform {
namespace {

std::int64_t monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

}  // namespace

bool queryPerformanceFrequency(std::int64_t* ticksPerSecond)
{
    *ticksPerSecond = 1'000'000'000;
    return true;
}

std::int64_t queryPerformanceCounter() { return monotonicNanoseconds(); }

std::uint32_t timeGetTime() { return static_cast<std::uint32_t>(monotonicNanoseconds() / 1'000'000); }

}  // namespace platform
