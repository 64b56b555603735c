// How fast a show ended from outside gives the display back: an idle watcher sends the saver
// SIGTERM (Ctrl+C SIGINT, a closed terminal SIGHUP) and expects the screen at once. Runs the
// real programs on a private Xvfb, ends each show with one of the three signals in turn, and
// prints the spread of two times: the signal to the renderer's process being gone (not even
// a zombie left), and the signal to the saver's exit.
#include <signal.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "bench/monotonic_clock.h"
#include "bench/show_end_timing.h"
#include "tests/support/child_process.h"
#include "tests/support/process_census.h"
#include "tests/support/temp_folder.h"
#include "tests/support/x_user.h"
#include "tests/support/xserver.h"

using namespace testing_support;

namespace {

bool gone(pid_t pid) { return kill(pid, 0) == -1 && errno == ESRCH; }

}  // namespace

int main(int argc, char** argv)
{
    const std::string programs = argc > 1 ? argv[1] : "build";
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    const int signals[] = {SIGTERM, SIGINT, SIGHUP};
    PrivateXServer server(1280, 1024);
    std::vector<double> rendererGone, saverGone;

    for (int run = 0; run < runs; ++run) {
        TempFolder home;
        const std::string marker = "HOARVEIL_BENCH_RUN=" + home.path();
        ChildProcess saver({programs + "/Hoarveil.scr", "/s"}, {{"DISPLAY", server.name()},
                                                                {"HOME", home.path()},
                                                                {"XDG_RUNTIME_DIR", home.path()},
                                                                {"XDG_CONFIG_HOME", home.path()},
                                                                {"HOARVEIL_TRACE", "1"},
                                                                {"HOARVEIL_BENCH_RUN", home.path()}});
        if (!waitUntil([&] { return saver.errorOutput().find("first frame") != std::string::npos; }, 30s)) {
            std::fprintf(stderr, "the renderer drew no frame:\n%s", saver.errorOutput().c_str());
            return 1;
        }
        auto renderers = processesWithEnvironment(marker);
        std::erase(renderers, saver.pid());
        if (renderers.size() != 1) {
            std::fprintf(stderr, "expected one renderer, found %zu\n", renderers.size());
            return 1;
        }
        const pid_t renderer = renderers.front();

        const double sent = monotonicMilliseconds();
        saver.signal(signals[run % 3]);
        double rendererAt = -1, saverAt = -1;
        if (!timeShowEnd(sent, [&] { return gone(renderer); }, [&] { return !saver.running(); }, rendererAt, saverAt)) {
            std::fprintf(stderr, "run %d: the show did not end within 10 s\n", run + 1);
            return 1;
        }
        rendererGone.push_back(rendererAt);
        saverGone.push_back(saverAt);
        std::this_thread::sleep_for(200ms);
    }

    std::printf("Show ended by SIGTERM, SIGINT and SIGHUP in turn, %d runs on a 1280 x 1024 screen\n", runs);
    printSpread("signal to the renderer gone", rendererGone);
    printSpread("signal to the saver's exit", saverGone);
    return 0;
}
