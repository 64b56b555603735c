#include "renderer/frame_timer.h"

void FrameTimer::start(const platform::ClockSource& clockSource)
{
    clock = &clockSource;
    std::int64_t frequency = 0;
    if (clock->frequency(&frequency) && frequency > 0) {
        startCount = clock->counter();
        secondsPerTick = static_cast<float>(1.0 / static_cast<double>(frequency));
        source = Source::PerformanceCounter;
    } else {
        startCount = clock->milliseconds();
        secondsPerTick = 0.001f;
        source = Source::MultimediaClock;
    }
}

float FrameTimer::elapsedSeconds()
{
    switch (source) {
    case Source::PerformanceCounter:
        currentCount = clock->counter();
        return static_cast<float>(currentCount - startCount) * secondsPerTick;
    case Source::MultimediaClock:
        return static_cast<float>(std::int64_t{clock->milliseconds()} - startCount) * secondsPerTick;
    case Source::None:
        break;
    }
    return 0;
}

void FrameTimer::update()
{
    total = elapsedSeconds();
    delta = total - previous;
    previous = total;
}
