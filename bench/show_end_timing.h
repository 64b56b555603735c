#pragma once
// How a benchmark times the end of a show and prints its runs: the range and the median, in
// milliseconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "bench/monotonic_clock.h"

// The milliseconds from `start` until the renderer was gone and until the saver had exited,
// polled every millisecond for at most ten seconds; false when either never came.
template <typename RendererGone, typename SaverGone>
bool timeShowEnd(double start, RendererGone rendererGone, SaverGone saverGone, double& rendererAt, double& saverAt)
{
    rendererAt = saverAt = -1;
    while (monotonicMilliseconds() - start < 10'000 && (rendererAt < 0 || saverAt < 0)) {
        if (rendererAt < 0 && rendererGone())
            rendererAt = monotonicMilliseconds() - start;
        if (saverAt < 0 && saverGone())
            saverAt = monotonicMilliseconds() - start;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return rendererAt >= 0 && saverAt >= 0;
}

inline void printSpread(const char* what, std::vector<double> values)
{
    if (values.empty())
        return;
    std::sort(values.begin(), values.end());
    std::printf("  %-34s %6.1f to %6.1f ms, median %6.1f ms\n", what, values.front(), values.back(),
                values[values.size() / 2]);
}
