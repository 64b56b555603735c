#include "saver/forms/errors_suppressed.h"

namespace forms {

bool suppressErrors(const std::function<void()>& step) noexcept
{
    try {
        step();
        return true;
    } catch (...) {
        return false;
    }
}

int runSteps(std::initializer_list<std::function<void()>> steps) noexcept
{
    int failed = 0;
    for (const auto& step : steps)
        failed += suppressErrors(step) ? 0 : 1;
    return failed;
}

}  // namespace forms
