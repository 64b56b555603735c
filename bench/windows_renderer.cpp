// The Windows renderer under Wine beside the Linux renderer, in one run with the same scene (a
// 1024 x 768 desktop floor and 500 flakes) on the same kind of screen, a private 1024 x 768
// Xvfb with Mesa's llvmpipe:
// - frames a second and CPU a frame: the renderer's own frame code in a benchmark process
//   (bench/frame_loop, built for both systems), with the X server's share and, under Wine,
//   the wineserver's;
// - start to first frame: the real Hoarveil.dll of each build, from its start (wine's, under
//   Wine) to the first frame it reports with HOARVEIL_TRACE.
// Usage: windows_renderer_bench <build> <build-win> [seconds] [runs]
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/frame_loop.h"
#include "bench/process_cpu_linux.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"
#include "tests/support/wine.h"
#include "tests/support/x_user.h"
#include "tests/support/xserver.h"

using namespace testing_support;
using Clock = std::chrono::steady_clock;

namespace {

struct SystemFigures {
    FrameFigures frames;
    double xServerCpu = 0;
    double wineServerCpu = -1;  // none on Linux
    std::vector<double> firstFrameMs;
};

// Polls the program's standard error for the text, more finely than the tests' waits.
bool waitForOutput(ChildProcess& program, const std::string& text, std::chrono::seconds limit)
{
    const auto deadline = Clock::now() + limit;
    while (Clock::now() < deadline) {
        if (program.errorOutput().find(text) != std::string::npos)
            return true;
        if (!program.running())
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

// Starts the program, times its first frame, and ends it with Esc as a user would.
template <typename Start>
void timeFirstFrames(Display* display, int runs, Start start, std::vector<double>& times)
{
    for (int run = 0; run < runs; ++run) {
        const auto begun = Clock::now();
        std::unique_ptr<ChildProcess> program = start();
        if (!waitForOutput(*program, "first frame", std::chrono::seconds(60))) {
            std::fprintf(stderr, "no first frame: %s\n", program->errorOutput().c_str());
            continue;
        }
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begun).count());
        pressKey(display, "Escape");
        program->waitForExit(std::chrono::seconds(20));
    }
}

// The wineserver's socket, there once it accepts programs (Wine names its folder after the
// prefix's device and inode).
std::string wineServerSocket(const WinePrefix& prefix)
{
    struct stat folder {};
    stat(prefix.folder().c_str(), &folder);
    char name[128];
    std::snprintf(name, sizeof name, "/tmp/.wine-%u/server-%llx-%llx/socket", unsigned(getuid()),
                  static_cast<unsigned long long>(folder.st_dev), static_cast<unsigned long long>(folder.st_ino));
    return name;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void printRow(const char* what, const std::string& onLinux, const std::string& underWine)
{
    std::printf("%-34s %-22s %s\n", what, onLinux.c_str(), underWine.c_str());
}

std::string format(const char* pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string firstFrames(const std::vector<double>& times)
{
    if (times.empty())
        return "none";
    const auto [low, high] = std::minmax_element(times.begin(), times.end());
    char text[96];
    std::snprintf(text, sizeof text, "%.0f ms (%.0f to %.0f)", median(times), *low, *high);
    return text;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: windows_renderer_bench <build> <build-win> [seconds] [runs]\n");
        return 2;
    }
    const std::string build = argv[1], windowsBuild = argv[2];
    const double seconds = argc > 3 ? std::atof(argv[3]) : 5.0;
    const int runs = argc > 4 ? std::atoi(argv[4]) : 5;
    SystemFigures onLinux, underWine;

    // Linux: the frames in this process, then the program's start-ups, on one server.
    static PrivateXServer linuxScreen(1024, 768);  // outlives the renderer's connection
    setenv("DISPLAY", linuxScreen.name().c_str(), 1);
    static TempFolder runtime;
    setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    writeShowBitmaps(1024, 768);
    CpuStretch linuxServer(linuxScreen.pid());
    if (!measureFrames(seconds, onLinux.frames, [&](bool beginning) { linuxServer.mark(beginning); })) {
        std::fprintf(stderr, "no Linux renderer window\n");
        return 1;
    }
    onLinux.xServerCpu = linuxServer.seconds();
    timeFirstFrames(linuxScreen.display(), runs, [&] {
        return std::make_unique<ChildProcess>(
            std::vector<std::string>{build + "/Hoarveil.dll"},
            std::map<std::string, std::string>{{"DISPLAY", linuxScreen.name()}, {"HOARVEIL_TRACE", "1"}});
    }, onLinux.firstFrameMs);

    // Windows under Wine: a prefix of the benchmark's own, made once and kept, and one
    // wineserver of ours for the whole run, so its CPU can be read.
    const std::string prefixFolder = build + "/bench/wine-prefix";
    const WinePrefix prefix = std::filesystem::exists(prefixFolder + "/system.reg")
                                  ? WinePrefix(std::filesystem::absolute(prefixFolder).string())
                                  : WinePrefix::make(prefixFolder);
    WineScreen screen(prefix, 1024, 768, false);  // the mode asked for is the screen's own
    ChildProcess wineServer({"/usr/bin/wineserver", "-f", "-p"}, prefix.environment(""));
    const std::string socket = wineServerSocket(prefix);
    waitUntil([&] { return std::filesystem::exists(socket); }, std::chrono::seconds(30));
    const auto startUnderWine = [&] {
        return prefix.start(windowsBuild + "/Hoarveil.dll", {}, screen.server().name(), {{"HOARVEIL_TRACE", "1"}});
    };
    // The first program of a Wine session also brings up Wine's own desktop and services.
    std::vector<double> firstOfSession;
    timeFirstFrames(screen.display(), 1, startUnderWine, firstOfSession);

    {
        auto bench = prefix.start(windowsBuild + "/bench/windows_renderer_frames.exe", {format("%.1f", seconds)},
                                  screen.server().name());
        CpuStretch xServer(screen.server().pid()), wineServerCpu(wineServer.pid());
        if (waitForOutput(*bench, "measuring", std::chrono::seconds(120))) {
            xServer.mark(true), wineServerCpu.mark(true);
            waitForOutput(*bench, "measured", std::chrono::seconds(120) + std::chrono::seconds(int(seconds)));
            xServer.mark(false), wineServerCpu.mark(false);
        }
        bench->waitForExit(std::chrono::seconds(30));
        const std::string output = bench->errorOutput();
        std::istringstream line(output.substr(std::min(output.find("frames "), output.size())));
        std::string word;
        line >> word >> underWine.frames.frames >> word >> underWine.frames.seconds >> word >> underWine.frames.cpuSeconds >>
            word >> underWine.frames.averageFlakes;
        underWine.xServerCpu = xServer.seconds();
        underWine.wineServerCpu = wineServerCpu.seconds();
    }
    timeFirstFrames(screen.display(), runs, startUnderWine, underWine.firstFrameMs);

    const auto perFrame = [](const SystemFigures& s, double cpu) {
        return s.frames.frames ? format("%.2f ms", 1000 * cpu / s.frames.frames) : std::string("-");
    };
    printRow("", "Linux", "Windows under Wine");
    printRow("frames a second", format("%.1f", onLinux.frames.frames / onLinux.frames.seconds),
             format("%.1f", underWine.frames.seconds > 0 ? underWine.frames.frames / underWine.frames.seconds : 0));
    printRow("CPU a frame, renderer", perFrame(onLinux, onLinux.frames.cpuSeconds),
             perFrame(underWine, underWine.frames.cpuSeconds));
    printRow("CPU a frame, X server", perFrame(onLinux, onLinux.xServerCpu), perFrame(underWine, underWine.xServerCpu));
    printRow("CPU a frame, wineserver", "-", perFrame(underWine, underWine.wineServerCpu));
    printRow("flakes on average", format("%.0f", onLinux.frames.averageFlakes),
             format("%.0f", underWine.frames.averageFlakes));
    printRow("start to first frame (median)", firstFrames(onLinux.firstFrameMs), firstFrames(underWine.firstFrameMs));
    printRow("  the first of a Wine session", "-", firstFrames(firstOfSession));
    prefix.shutDown();
    wineServer.waitForExit(std::chrono::seconds(10));
    return 0;
}
