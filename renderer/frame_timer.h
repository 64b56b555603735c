#pragma once
// The frame clock: seconds since start and between the last two frames, from the
// high-resolution counter when there is one, else from the millisecond clock.
#include <cstdint>

#include "platform/clock.h"

class FrameTimer {
public:
    enum class Source { None, PerformanceCounter, MultimediaClock };

    void start(const platform::ClockSource& clock = platform::systemClock());
    void update();
    float totalSeconds() const { return total; }
    float deltaSeconds() const { return delta; }
    Source clockSource() const { return source; }

private:
    float elapsedSeconds();

    const platform::ClockSource* clock = nullptr;
    Source source = Source::None;
    float previous = 0;
    float secondsPerTick = 0;
    float total = 0;
    float delta = 0;
    std::int64_t startCount = 0;
    std::int64_t currentCount = 0;
};
