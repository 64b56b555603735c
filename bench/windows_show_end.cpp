// How fast the Windows build's show gives the desktop back under Wine: Hoarveil.scr /s from an
// install folder, each run ended with Esc once the renderer has drawn its first frame. Prints
// the spread of two times: Esc to the renderer's window gone, and Esc to the saver's exit (what
// the system waits for before it shows the desktop again). Under Wine each also carries what
// ending a Wine process costs.
// Usage: windows_show_end_bench <build> <build-win> [runs]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/monotonic_clock.h"
#include "bench/show_end_timing.h"
#include "tests/support/wine.h"
#include "tests/support/wine_saver.h"
#include "tests/support/x_user.h"

using namespace testing_support;

int main(int argc, char** argv)
{
    const std::string build = argc > 1 ? argv[1] : "build";
    const std::string windowsBuild = std::filesystem::absolute(argc > 2 ? argv[2] : "build-win").string();
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 10;

    // A prefix of the benchmark's own, made once and kept (windows_renderer_bench keeps the same).
    const std::string prefixFolder = build + "/bench/wine-prefix";
    const WinePrefix prefix = std::filesystem::exists(prefixFolder + "/system.reg")
                                  ? WinePrefix(std::filesystem::absolute(prefixFolder).string())
                                  : WinePrefix::make(prefixFolder);
    WineScreen screen(prefix, 1024, 768, false);
    const WindowsSaver saver(prefix, windowsBuild);
    std::vector<double> rendererGone, saverGone;

    for (int run = 0; run < runs; ++run) {
        auto show = saver.start({"/s"}, screen.server().name());
        if (!waitUntil([&] { return show->errorOutput().find("first frame") != std::string::npos; }, 60s)) {
            std::fprintf(stderr, "the renderer drew no frame:\n%s", show->errorOutput().c_str());
            return 1;
        }
        const double pressed = monotonicMilliseconds();
        pressKey(screen.display(), "Escape");
        double rendererAt = -1, saverAt = -1;
        const auto windowGone = [&] { return findWindowByTitle(screen.display(), "Hoarveil_VC") == 0; };
        if (!timeShowEnd(pressed, windowGone, [&] { return !show->running(); }, rendererAt, saverAt)) {
            std::fprintf(stderr, "run %d: the show did not end within 10 s\n", run + 1);
            return 1;
        }
        rendererGone.push_back(rendererAt);
        saverGone.push_back(saverAt);
        prefix.shutDown();
    }

    std::printf("Windows show ended with Esc under Wine, %d runs on a 1024 x 768 screen\n", runs);
    printSpread("Esc to the renderer's window gone", rendererGone);
    printSpread("Esc to the saver's exit", saverGone);
    return 0;
}
