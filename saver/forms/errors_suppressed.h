#pragma once
// Steps run with errors suppressed: a step that fails (throws) is skipped and the next one runs.
// The result says whether the step succeeded, for code that looks at the error state afterwards.
#include <functional>
#include <initializer_list>

namespace forms {

bool suppressErrors(const std::function<void()>& step) noexcept;

// Runs the steps in order, each with errors suppressed. Returns how many of them failed.
int runSteps(std::initializer_list<std::function<void()>> steps) noexcept;

}  // namespace forms
