#include "tests/support/toolkit_events.h"

#include <FL/Fl.H>

namespace testing_support {

bool pumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        Fl::wait(0.01);
    }
    return true;
}

void pumpFor(std::chrono::milliseconds time)
{
    pumpUntil([] { return false; }, time);
}

}  // namespace testing_support
