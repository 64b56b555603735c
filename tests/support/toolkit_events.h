#pragma once
// The forms runtime's event loop, run by a test that drives forms in its own process.
#include <chrono>
#include <functional>

namespace testing_support {

// Runs the event loop until the condition holds or the time is up; false when it is up.
bool pumpUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds limit = std::chrono::seconds(5));
// Runs the event loop for a while, for what must not change.
void pumpFor(std::chrono::milliseconds time);

}  // namespace testing_support
