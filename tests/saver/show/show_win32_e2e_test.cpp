// The show of the Windows build under Wine, as a user meets it: Hoarveil.scr /s photographs the
// desktop into C:\k_varo, starts the renderer beside it, and ends with it.
#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "saver/forms/bitmap_file.h"
#include "tests/support/wine_saver.h"
#include "tests/support/x_user.h"

using namespace testing_support;

namespace {

const std::string windowsBuild = HOARVEIL_WINDOWS_BUILD;

forms::RgbSurface readPicture(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return forms::decodeBitmap(bytes);
}

// Trace lines of the saver itself (the renderer may share its error output) naming the stage.
int saverLines(const std::string& trace, const std::string& stage)
{
    int count = 0;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);)
        count += line.rfind("hoarveil-trace Hoarveil.scr ", 0) == 0 && line.find(stage) != std::string::npos;
    return count;
}

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
    int differing = 0;
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x) {
            const auto p = photo.pixel(x, y);
            const auto s = desktop.at(x, y);
            differing += p.r != s.r || p.g != s.g || p.b != s.b;
        }
    EXPECT_EQ(differing, 0) << "the photograph is the screen, pixel for pixel";
    const forms::RgbSurface flake = readPicture(saver.bitmap("Hoarveil2.bmp"));
    const forms::RgbSurface shipped = readPicture(std::string(HOARVEIL_ASSETS_DIR) + "/flake.bmp");
    ASSERT_EQ(flake.width(), shipped.width());
    ASSERT_EQ(flake.height(), shipped.height());
    EXPECT_TRUE(std::equal(flake.data(), flake.data() + flake.width() * flake.height() * 3, shipped.data()))
        << "the flake picture beside it";

    // The floor carries the desktop's red, green and blue.
    const auto floorShows = [](const Screenshot& shot) {
        int red = 0, green = 0, blue = 0;
        for (int y = shot.height() / 2; y < shot.height(); y += 2)
            for (int x = 0; x < shot.width(); x += 2) {
                const Rgb p = shot.at(x, y);
                red += p.r > 180 && p.g < 80 && p.b < 80;
                green += p.g > 150 && p.r < 80 && p.b < 110;
                blue += p.b > 130 && p.r < 90 && p.g > 50 && p.g < 110;
            }
        return red > 100 && green > 100 && blue > 1000;
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
    EXPECT_EQ(saverLines(show->errorOutput(), "cursor hidden"), 1) << show->errorOutput();
    EXPECT_EQ(saverLines(show->errorOutput(), "cursor shown"), 1) << show->errorOutput();
}

TEST_F(WindowsShow, ASecondShowEndsAtOnceAndAKilledRendererEndsTheSaver)
{
    auto first = saver.start({"/s"}, display());
    ASSERT_TRUE(waitUntil([&] { return rendererUp(); }, 30s)) << first->errorOutput();

    auto second = saver.start({"/s"}, display());
    EXPECT_EQ(second->waitForExit(15s), 0);
    EXPECT_EQ(saverLines(second->errorOutput(), "cursor"), 0) << "the second one touches no cursor";
    EXPECT_EQ(findWindowsByTitle(screen.display(), "Hoarveil_VC").size(), 1u);

    const auto renderers = WindowsSaver::rendererProcesses();
    // Every one: a renderer of an earlier test may still be on its way out.
    ASSERT_FALSE(renderers.empty());
    for (const pid_t renderer : renderers)
        kill(renderer, SIGKILL);
    EXPECT_EQ(first->waitForExit(5s), 0) << "the saver's watch sees the renderer gone";
}

}  // namespace
