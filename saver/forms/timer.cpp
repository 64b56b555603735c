#include "saver/forms/timer.h"

#include "saver/forms/backend.h"
#include "saver/forms/errors_suppressed.h"

namespace forms {
namespace {

// Whether some timer's tick is running right now (one record for all timers of the process).
struct TickState {
    bool ticking = false;
};

TickState& tickState()
{
    static TickState state;
    return state;
}

}  // namespace

Timer::Timer(std::function<void()> onTick, int intervalMilliseconds, bool enabled)
    : onTick(std::move(onTick)), intervalMs(intervalMilliseconds), isEnabled(enabled)
{
    restart();
}

Timer::~Timer()
{
    backend::stopTimer(*this);
}

void Timer::setInterval(int milliseconds)
{
    intervalMs = milliseconds;
    restart();
}

void Timer::setEnabled(bool enabled)
{
    isEnabled = enabled;
    restart();
}

void Timer::restart()
{
    backend::stopTimer(*this);
    if (isEnabled && intervalMs > 0)
        backend::startTimer(*this, intervalMs);
}

void Timer::tick()
{
    auto& state = tickState();
    if (state.ticking || !onTick)
        return;
    state.ticking = true;
    struct EndOfTick {
        ~EndOfTick() { tickState().ticking = false; }
    } endOfTick;
    // The handler may switch this timer off, change it or destroy it; nothing of it is
    // touched after the call.
    suppressErrors(onTick);
}

}  // namespace forms
