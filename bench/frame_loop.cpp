#include "bench/frame_loop.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "platform/bitmap_folder.h"
#include "renderer/renderer_host.h"
#include "renderer/renderer_settings.h"
#include "renderer/scene_state.h"
#include "renderer/snowfall.h"
#include "tests/support/bmp_writer.h"

void writeShowBitmaps(int width, int height)
{
    using namespace testing_support;
    std::filesystem::create_directories(platform::bitmapFolder());
    const auto desktop = makePicture(width, height, [](int x, int y) {
        return ((x / 64 + y / 64) % 2 ? 0x3A6EA5u : 0xD8E0F0u) ^ std::uint32_t((x * 7) & 0x1F);
    });
    writeFile(platform::bitmapPath("Hoarveil1.bmp"), encodeBmp(desktop, {}));
    const auto flake = makePicture(64, 64, [](int x, int y) {
        const int d = std::abs(x - 32) + std::abs(y - 32);
        const std::uint32_t v = d < 28 ? std::uint32_t(227 - d * 8) : 0;
        return v << 16 | v << 8 | v;
    });
    writeFile(platform::bitmapPath("Hoarveil2.bmp"), encodeBmp(flake, {}));
}

bool measureFrames(double seconds, FrameFigures& figures, const std::function<void(bool)>& measuring)
{
    platform::WindowHandle window =
        createRendererWindow(RendererSettings::windowName, RendererSettings::width, RendererSettings::height);
    if (!window)
        return false;
    initRenderer(window);
    spawnFlakeBatch();
    spawnFlakeBatch();  // the full population from the first frame on

    for (int i = 0; i < 30; ++i)  // warm-up: shaders compiled, buffers allocated
        drawIdleFrame();

    long flakeSum = 0;
    figures = {};
    if (measuring)
        measuring(true);
    const double cpuStart = processCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    while (figures.seconds < seconds) {
        drawIdleFrame();
        ++figures.frames;
        flakeSum += scene.flakes->size();
        figures.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    figures.cpuSeconds = processCpuSeconds() - cpuStart;
    if (measuring)
        measuring(false);
    figures.averageFlakes = double(flakeSum) / figures.frames;
    destroyRenderer();
    scene.flakes.reset();
    return true;
}
