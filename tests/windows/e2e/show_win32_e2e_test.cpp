// The show of the Windows build under Wine, as a user meets it: Hoarveil.scr /s photographs the
// desktop into C:\k_varo, starts the renderer beside it, and ends with it.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/saver/show/show_evidence.h"
#include "tests/support/wine_saver.h"
#include "tests/support/x_user.h"

using namespace testing_support;

namespace {

const std::string windowsBuild = HOARVEIL_WINDOWS_BUILD;

class WindowsShow : public ::testing::Test {
protected:
    // The screen has a 1024 x 768 mode beside its own, so that the renderer really switches.
    WindowsShow() : screen(prefix, 1280, 1024, true), saver(prefix, windowsBuild) {}

    bool rendererUp() { return findWindowByTitle(screen.display(), "Hoarveil_VC") != 0; }
    std::string display() { return screen.server().name(); }

    const WinePrefix prefix = WinePrefix::current();
    WineScreen screen;
    WindowsSaver saver;
};

TEST_F(WindowsShow, PhotographsTheScreenShowsItAndEndsWithEscapeCursorBack)
{
    furnishDesktop(screen.display());
    const Screenshot desktop = takeScreenshot(screen.display());
    auto show = saver.start({"/s"}, display());
    ASSERT_TRUE(waitUntil([&] { return rendererUp(); }, 30s)) << show->errorOutput();

    const forms::RgbSurface photo = readPicture(saver.bitmap("Hoarveil1.bmp"));
    ASSERT_EQ(photo.width(), desktop.width());
    ASSERT_EQ(photo.height(), desktop.height());
    EXPECT_EQ(pixelsDiffering(photo, desktop), 0) << "the photograph is the screen, pixel for pixel";
    EXPECT_TRUE(samePicture(saver.bitmap("Hoarveil2.bmp"), std::string(HOARVEIL_ASSETS_DIR) + "/flake.bmp"))
        << "the flake picture beside it";

    // The floor carries the desktop's red, green and blue.
    const auto floorShows = [](const Screenshot& shot) {
        const FloorColours seen = floorColours(shot);
        return seen.red > 100 && seen.green > 100 && seen.blue > 1000;
    };
    const Screenshot shot = screenshotWhen(screen.display(), floorShows, 30s);
    shot.save(::testing::TempDir() + "windows-show.png");
    EXPECT_TRUE(floorShows(shot));
    EXPECT_EQ(screenSize(screen.display()), (ScreenSize{1024, 768})) << "the renderer's display mode";

    const auto pressed = std::chrono::steady_clock::now();
    pressKey(screen.display(), "Escape");
    ASSERT_TRUE(waitUntil([&] { return !rendererUp(); }, 10s));
    EXPECT_EQ(show->waitForExit(10s), 0);
    const auto took = std::chrono::steady_clock::now() - pressed;
    // A second, and what starting and ending a Wine process costs on top.
    EXPECT_LT(took, 2500ms);
    EXPECT_EQ(screenSize(screen.display()), screen.ownSize()) << "the desktop's own mode again";
    EXPECT_EQ(countLines(show->errorOutput(), "Hoarveil.scr", "cursor hidden"), 1) << show->errorOutput();
    EXPECT_EQ(countLines(show->errorOutput(), "Hoarveil.scr", "cursor shown"), 1) << show->errorOutput();
    // Frames paced by the retrace, where the driver offers the wait: Wine's does.
    EXPECT_EQ(countLines(show->errorOutput(), "Hoarveil.dll", "swap interval 1"), 1) << show->errorOutput();
}

// Windows' display scaling at 150 %: LogPixels 144 for every program the prefix starts, the
// run's other tests finding it as it was.
class WindowsShowAtScaling : public WindowsShow {
protected:
    WindowsShowAtScaling() { setLogPixels({"add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d", "144", "/f"}); }
    ~WindowsShowAtScaling() override { setLogPixels({"delete", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/f"}); }

    void setLogPixels(const std::vector<std::string>& change)
    {
        prefix.shutDown();  // none of the prefix's programs keeps the dpi it started with
        prefix.run("reg", change, display());
        prefix.shutDown();
    }
};

// The photograph is the whole monitor at its own pixels, and the renderer's window covers the
// screen in the mode it asked for: no stretched, partial desktop.
TEST_F(WindowsShowAtScaling, ThePhotographAndTheRenderersWindowAreTheWholeMonitor)
{
    auto show = saver.start({"/s"}, display());
    ::Window renderer = 0;
    ASSERT_TRUE(waitUntil([&] { return (renderer = findWindowByTitle(screen.display(), "Hoarveil_VC")) != 0; }, 30s))
        << show->errorOutput();
    const forms::RgbSurface photo = readPicture(saver.bitmap("Hoarveil1.bmp"));
    EXPECT_EQ(photo.width(), 1280);
    EXPECT_EQ(photo.height(), 1024);
    ASSERT_TRUE(waitUntil([&] {
        XWindowAttributes place{};
        return XGetWindowAttributes(screen.display(), renderer, &place) && place.x == 0 && place.y == 0 &&
               place.width == 1024 && place.height == 768;
    }, 10s));
    EXPECT_EQ(screenSize(screen.display()), (ScreenSize{1024, 768}));
    pressKey(screen.display(), "Escape");
    EXPECT_EQ(show->waitForExit(10s), 0) << show->errorOutput();
}

TEST_F(WindowsShow, ASecondShowEndsAtOnceAndAKilledRendererEndsTheSaver)
{
    auto first = saver.start({"/s"}, display());
    ASSERT_TRUE(waitUntil([&] { return rendererUp(); }, 30s)) << first->errorOutput();

    auto second = saver.start({"/s"}, display());
    // A Wine start beside a renderer that keeps both cores busy can take its time.
    EXPECT_EQ(second->waitForExit(30s), 0) << second->errorOutput();
    EXPECT_EQ(countLines(second->errorOutput(), "Hoarveil.scr", "cursor"), 0) << "the second one touches no cursor";
    EXPECT_EQ(findWindowsByTitle(screen.display(), "Hoarveil_VC").size(), 1u);

    const auto renderers = WindowsSaver::rendererProcesses();
    // Every one: a renderer of an earlier test may still be on its way out.
    ASSERT_FALSE(renderers.empty());
    for (const pid_t renderer : renderers)
        kill(renderer, SIGKILL);
    EXPECT_EQ(first->waitForExit(10s), 0) << "the saver's watch sees the renderer gone: " << first->errorOutput();
}

}  // namespace
