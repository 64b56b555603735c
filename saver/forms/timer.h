#pragma once
// A timer of the forms runtime: ticks every `interval` milliseconds while enabled and the
// interval is above 0, on the user-interface thread. Ticks never overlap: a timer that comes
// due while another timer's tick runs (in a nested event loop) skips that tick.
#include <functional>

namespace forms {

class Timer {
public:
    explicit Timer(std::function<void()> onTick, int intervalMilliseconds = 0, bool enabled = false);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int interval() const { return intervalMs; }
    // A new interval starts counting afresh.
    void setInterval(int milliseconds);
    bool enabled() const { return isEnabled; }
    // Switching on starts counting afresh.
    void setEnabled(bool enabled);

    // For the toolkit backend: the timer came due. Runs the handler unless another tick is
    // running; the handler may switch this timer off, change it or destroy it.
    void tick();

private:
    void restart();

    std::function<void()> onTick;
    int intervalMs;
    bool isEnabled;
};

}  // namespace forms
