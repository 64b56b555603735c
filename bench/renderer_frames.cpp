// Frames per second and CPU per frame of the full scene (a textured desktop floor and 500
// flakes) on a private Xvfb with Mesa's llvmpipe, at a 1024 x 768 screen and at a 1920 x 1080
// screen (scaled presentation), each with a desktop photograph of the screen's size.
// The renderer's own start-up and frame code runs in this process, so getrusage sees every
// thread it uses; the X server's share (presenting the frames) is read from /proc.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/frame_loop.h"
#include "bench/process_cpu_linux.h"
#include "tests/support/temp_folder.h"
#include "tests/support/xserver.h"

int main(int argc, char** argv)
{
    const int width = argc > 2 ? std::atoi(argv[1]) : 1024;
    const int height = argc > 2 ? std::atoi(argv[2]) : 768;
    const double seconds = argc > 3 ? std::atof(argv[3]) : 5.0;

    // Static, so the server outlives the renderer's X connection, which closes at exit.
    static testing_support::PrivateXServer server(width, height);
    setenv("DISPLAY", server.name().c_str(), 1);
    static testing_support::TempFolder runtime;
    setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    writeShowBitmaps(width, height);

    CpuStretch serverCpu(server.pid());
    FrameFigures figures;
    if (!measureFrames(seconds, figures, [&](bool beginning) { serverCpu.mark(beginning); })) {
        std::fprintf(stderr, "no renderer window\n");
        return 1;
    }
    std::printf("%dx%d  %7.1f frames/s  %6.2f ms CPU/frame (renderer)  %6.2f ms CPU/frame (X server)  "
                "%5.0f flakes on average\n",
                width, height, figures.frames / figures.seconds, 1000 * figures.cpuSeconds / figures.frames,
                1000 * serverCpu.seconds() / figures.frames, figures.averageFlakes);
    return 0;
}
