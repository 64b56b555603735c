#pragma once
// How a benchmark prints the times of its runs: the range and the median, in milliseconds.
#include <algorithm>
#include <cstdio>
#include <vector>

inline void printSpread(const char* what, std::vector<double> values)
{
    if (values.empty())
        return;
    std::sort(values.begin(), values.end());
    std::printf("  %-34s %6.1f to %6.1f ms, median %6.1f ms\n", what, values.front(), values.back(),
                values[values.size() / 2]);
}
