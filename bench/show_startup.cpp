// How long a show takes to come up: from starting `Hoarveil.scr /s` on a 1920 x 1080 screen to
// the renderer's first frame, split into the stages both programs report with HOARVEIL_TRACE.
// Runs the real programs on a private Xvfb several times and prints the median of each stage.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/monotonic_clock.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"
#include "tests/support/x_user.h"
#include "tests/support/xserver.h"

using namespace testing_support;

namespace {

// "<program> <stage>" → milliseconds after the saver was started.
std::vector<std::pair<std::string, double>> stages(const std::string& trace, double start)
{
    std::vector<std::pair<std::string, double>> result;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string tag, program, stage;
        double at = 0;
        if (!(fields >> tag >> program >> at) || tag != "hoarveil-trace")
            continue;
        std::getline(fields >> std::ws, stage);
        result.emplace_back(program + "  " + stage, at - start);
    }
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string programs = argc > 1 ? argv[1] : "build";
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    PrivateXServer server(1920, 1080);
    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> times;

    for (int run = 0; run < runs; ++run) {
        TempFolder home;
        const double start = monotonicMilliseconds();
        ChildProcess saver({programs + "/Hoarveil.scr", "/s"}, {{"DISPLAY", server.name()},
                                                                {"HOME", home.path()},
                                                                {"XDG_RUNTIME_DIR", home.path()},
                                                                {"XDG_CONFIG_HOME", home.path()},
                                                                {"HOARVEIL_TRACE", "1"}});
        if (!waitUntil([&] { return saver.errorOutput().find("first frame") != std::string::npos; }, 30s)) {
            std::fprintf(stderr, "the renderer drew no frame:\n%s", saver.errorOutput().c_str());
            return 1;
        }
        for (const auto& [stage, at] : stages(saver.errorOutput(), start)) {
            if (!times.count(stage))
                order.push_back(stage);
            times[stage].push_back(at);
        }
        pressKey(server.display(), "Escape");
        saver.waitForExit(10s);
        std::this_thread::sleep_for(200ms);
    }

    std::printf("Show start-up on a 1920 x 1080 screen, median of %d runs (ms after the saver was started)\n", runs);
    for (const auto& stage : order) {
        auto& values = times[stage];
        std::sort(values.begin(), values.end());
        std::printf("  %7.1f  %s\n", values[values.size() / 2], stage.c_str());
    }
    return 0;
}
