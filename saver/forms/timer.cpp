#include "saver/forms/timer.h"

#include <FL/Fl.H>

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
    Fl::remove_timeout(fire, this);
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
    Fl::remove_timeout(fire, this);
    if (isEnabled && intervalMs > 0)
        Fl::add_timeout(intervalMs / 1000.0, fire, this);
}

void Timer::fire(void* timer)
{
    auto* self = static_cast<Timer*>(timer);
    // Due again one interval after this tick was due, whatever the handler takes.
    Fl::repeat_timeout(self->intervalMs / 1000.0, fire, self);
    auto& state = tickState();
    if (state.ticking || !self->onTick)
        return;
    state.ticking = true;
    struct EndOfTick {
        ~EndOfTick() { tickState().ticking = false; }
    } endOfTick;
    // The handler may switch this timer off, change it or destroy it; nothing of it is
    // touched after the call.
    suppressErrors(self->onTick);
}

}  // namespace forms
