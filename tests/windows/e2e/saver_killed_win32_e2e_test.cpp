// A show whose saver is ended from outside, as Task Manager ends it (TerminateProcess): the
// renderer goes with it at once, rather than keeping the screen until someone presses Esc.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "tests/support/wine_saver.h"
#include "tests/support/x_user.h"

using namespace testing_support;

namespace {

const std::string windowsBuild = HOARVEIL_WINDOWS_BUILD;

TEST(SaverKilled, TheRendererWindowGoesWithinASecond)
{
    const WinePrefix prefix = WinePrefix::current();
    WineScreen screen(prefix, 1280, 1024, true);
    WindowsSaver saver(prefix, windowsBuild);
    const auto rendererUp = [&] { return findWindowByTitle(screen.display(), "Hoarveil_VC") != 0; };
    auto show = saver.start({"/s"}, screen.server().name());
    ASSERT_TRUE(waitUntil(rendererUp, 30s)) << show->errorOutput();
    ASSERT_TRUE(waitUntil([&] { return show->errorOutput().find(" first frame") != std::string::npos; }, 30s))
        << show->errorOutput();

    // Windows' own taskkill /f: TerminateProcess, no code of the saver's runs any more.
    ASSERT_EQ(prefix.run("C:\\windows\\system32\\taskkill.exe", {"/f", "/im", "Hoarveil.scr"}, ""), 0);
    const auto killed = std::chrono::steady_clock::now();
    ASSERT_TRUE(waitUntil([&] { return !rendererUp(); }, 10s)) << "the renderer's window stays";
    const auto took = std::chrono::steady_clock::now() - killed;
    const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(took).count();
    std::printf("the renderer's window went %lld ms after taskkill's end\n", static_cast<long long>(milliseconds));
    EXPECT_LT(took, 1s) << milliseconds << " ms";
    EXPECT_TRUE(show->waitForExit(10s).has_value());
    EXPECT_TRUE(waitUntil([] { return WindowsSaver::rendererProcesses().empty(); }, 10s)) << "its process too";
}

}  // namespace
