// The Windows renderer's frames, in this process under Wine (bench/windows_renderer.cpp runs
// it and lines it up with the Linux renderer): the full scene on the display as it is. It says
// on standard error when the measured frames begin and end, then gives its figures on one line.
#include <cstdio>
#include <cstdlib>

#include "bench/frame_loop.h"

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    writeShowBitmaps(1024, 768);
    FrameFigures figures;
    const auto measuring = [](bool beginning) {
        std::fputs(beginning ? "measuring\n" : "measured\n", stderr);
        std::fflush(stderr);
    };
    if (!measureFrames(seconds, figures, measuring)) {
        std::fprintf(stderr, "no renderer window\n");
        return 1;
    }
    std::fprintf(stderr, "frames %d seconds %.4f cpu %.4f flakes %.1f\n", figures.frames, figures.seconds,
                 figures.cpuSeconds, figures.averageFlakes);
    return 0;
}
