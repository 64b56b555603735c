// Frames per second and CPU per frame of the full scene (a textured desktop floor and 500
// flakes) on a private Xvfb with Mesa's llvmpipe, at a 1024 x 768 screen and at a 1920 x 1080
// screen (scaled presentation), each with a desktop photograph of the screen's size.
// The renderer's own start-up and frame code runs in this process, so getrusage sees every
// thread it uses; the X server's share (presenting the frames) is read from /proc.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "renderer/renderer_host.h"
#include "renderer/renderer_settings.h"
#include "renderer/scene_drawing.h"
#include "renderer/scene_state.h"
#include "tests/support/bmp_writer.h"
#include "tests/support/temp_folder.h"
#include "tests/support/xserver.h"

namespace {

double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double serverCpuSeconds(pid_t server)
{
    std::ifstream stat("/proc/" + std::to_string(server) + "/stat");
    std::string field;
    unsigned long ticks = 0;
    for (int i = 1; i <= 15 && stat >> field; ++i)
        if (i == 14 || i == 15)
            ticks += std::stoul(field);
    return double(ticks) / sysconf(_SC_CLK_TCK);
}

// The two pictures a show hands the renderer: a desktop of the screen's size and a flake.
void writeShowBitmaps(const std::string& runtimeFolder, int width, int height)
{
    using namespace testing_support;
    const std::string folder = runtimeFolder + "/k_varo";
    mkdir(folder.c_str(), 0700);
    const auto desktop = makePicture(width, height, [](int x, int y) {
        return ((x / 64 + y / 64) % 2 ? 0x3A6EA5u : 0xD8E0F0u) ^ std::uint32_t((x * 7) & 0x1F);
    });
    writeFile(folder + "/Hoarveil1.bmp", encodeBmp(desktop, {}));
    const auto flake = makePicture(64, 64, [](int x, int y) {
        const int d = std::abs(x - 32) + std::abs(y - 32);
        const std::uint32_t v = d < 28 ? std::uint32_t(227 - d * 8) : 0;
        return v << 16 | v << 8 | v;
    });
    writeFile(folder + "/Hoarveil2.bmp", encodeBmp(flake, {}));
}

void frame()
{
    scene.timer.update();
    scene.currentTime = scene.timer.totalSeconds();
    scene.frameDelta = scene.timer.deltaSeconds();
    drawFrame();
}

}  // namespace

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
    writeShowBitmaps(runtime.path(), width, height);

    platform::WindowHandle window =
        createRendererWindow(RendererSettings::windowName, RendererSettings::width, RendererSettings::height);
    if (!window) {
        std::fprintf(stderr, "no renderer window\n");
        return 1;
    }
    initRenderer(window);
    spawnFlakeBatch();
    spawnFlakeBatch();  // the full population from the first frame on

    for (int i = 0; i < 30; ++i)  // warm-up: shaders compiled, buffers allocated
        frame();

    int frames = 0;
    long flakeSum = 0;
    const double cpuStart = processCpuSeconds();
    const double serverStart = serverCpuSeconds(server.pid());
    const auto start = std::chrono::steady_clock::now();
    double elapsed = 0;
    while (elapsed < seconds) {
        frame();
        ++frames;
        flakeSum += scene.flakes->size();
        elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double cpu = processCpuSeconds() - cpuStart;
    const double serverCpu = serverCpuSeconds(server.pid()) - serverStart;
    std::printf("%dx%d  %7.1f frames/s  %6.2f ms CPU/frame (renderer)  %6.2f ms CPU/frame (X server)  "
                "%5.0f flakes on average\n",
                width, height, frames / elapsed, 1000 * cpu / frames, 1000 * serverCpu / frames,
                double(flakeSum) / frames);
    destroyRenderer();
    scene.flakes.reset();
    return 0;
}
