// A show as a user runs it, on a private X server: the saver photographs the desktop, writes
// the two bitmaps, brings up the renderer, and is gone within a second of the renderer.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "tests/saver/show/show_fixture.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

TEST_F(Show, PhotographsTheDesktopShowsItOnTheFloorAndEndsWithTheRenderer)
{
    PrivateXServer server;
    furnishDesktop(server);
    const Screenshot desktop = takeScreenshot(server.display());
    auto saver = startSaver(server, {"/s"});
    ASSERT_TRUE(waitUntil([&] { return rendererUp(server); }, 15s)) << saver->errorOutput();

    // The photograph is the screen as it was, pixel for pixel, and private.
    const forms::RgbSurface photo = readPicture(bitmap("Hoarveil1.bmp"));
    ASSERT_EQ(photo.width(), desktop.width());
    ASSERT_EQ(photo.height(), desktop.height());
    EXPECT_EQ(pixelsDiffering(photo, desktop), 0);
    struct stat info {};
    ASSERT_EQ(stat(bitmap("Hoarveil1.bmp").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_TRUE(samePicture(bitmap("Hoarveil2.bmp"), assetsFolder + "/flake.bmp"));

    // The floor carries the desktop's colours.
    const Screenshot shot = screenshotWhen(server.display(), [&](const Screenshot& s) {
        const FloorColours seen = floorColours(s);
        return seen.red > 100 && seen.green > 100 && seen.blue > 1000;
    });
    shot.save(::testing::TempDir() + "show.png");
    const FloorColours seen = floorColours(shot);
    EXPECT_GT(seen.red, 100);
    EXPECT_GT(seen.green, 100);
    EXPECT_GT(seen.blue, 1000);

    pressKey(server.display(), "Escape");
    ASSERT_TRUE(waitUntil([&] { return !rendererUp(server); }, 10s));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(saver->waitForExit(3s), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1500ms) << "the saver follows the renderer within a second";
    const std::string trace = saver->errorOutput();
    // The renderer shares the saver's error output; only the saver's own lines count here.
    EXPECT_EQ(countLines(trace, "Hoarveil.scr", "cursor hidden"), 1) << trace;
    EXPECT_EQ(countLines(trace, "Hoarveil.scr", "cursor shown"), 1) << trace;
}

// A 4K monitor at 150 %: the desktop says 144 dots per inch, the screen keeps its pixels. The
// photograph and the renderer's window are the whole monitor, pixel for pixel.
TEST_F(Show, AtDesktopScalingThePhotographAndTheRendererCoverTheWholeMonitor)
{
    PrivateXServer server(3840, 2160);
    ASSERT_EQ(std::system(("echo 'Xft.dpi: 144' | DISPLAY=" + server.name() + " xrdb -merge").c_str()), 0);
    auto saver = startSaver(server, {"/s"}, programFolder, {{"GDK_SCALE", "2"}, {"QT_SCALE_FACTOR", "1.5"}});
    ::Window renderer = 0;
    ASSERT_TRUE(waitUntil([&] { return (renderer = findWindowByTitle(server.display(), "Hoarveil_VC")) != 0; }, 15s))
        << saver->errorOutput();

    const forms::RgbSurface photo = readPicture(bitmap("Hoarveil1.bmp"));
    EXPECT_EQ(photo.width(), 3840);
    EXPECT_EQ(photo.height(), 2160);
    XWindowAttributes place{};
    ASSERT_TRUE(XGetWindowAttributes(server.display(), renderer, &place));
    EXPECT_EQ(place.x, 0);
    EXPECT_EQ(place.y, 0);
    EXPECT_EQ(place.width, 3840);
    EXPECT_EQ(place.height, 2160);
    pressKey(server.display(), "Escape");
    EXPECT_EQ(saver->waitForExit(10s), 0);
}

TEST_F(Show, WithoutASwitchTheShowRunsAndTheCursorIsLeftAlone)
{
    PrivateXServer server;
    auto saver = startSaver(server, {});
    ASSERT_TRUE(waitUntil([&] { return rendererUp(server); }, 15s)) << saver->errorOutput();
    pressKey(server.display(), "Escape");
    EXPECT_EQ(saver->waitForExit(10s), 0);
    EXPECT_EQ(countLines(saver->errorOutput(), "Hoarveil.scr", "cursor"), 0) << saver->errorOutput();
}

TEST_F(Show, SecondShowWhileOneRunsEndsAtOnce)
{
    PrivateXServer server;
    auto first = startSaver(server, {"/s"});
    ASSERT_TRUE(waitUntil([&] { return rendererUp(server); }, 15s));
    auto second = startSaver(server, {"/s"});
    EXPECT_EQ(second->waitForExit(5s), 0);
    EXPECT_EQ(countLines(second->errorOutput(), "Hoarveil.scr", "cursor"), 0) << "the second one touches no cursor";
    EXPECT_EQ(findWindowsByTitle(server.display(), "Hoarveil_VC").size(), 1u);
    pressKey(server.display(), "Escape");
    EXPECT_EQ(first->waitForExit(10s), 0);
}

// A renderer as a script that starts the real one after a pause, or never: the saver must wait
// for a renderer that is still starting, and give up on one that never shows its window.
std::string installSlowRenderer(const std::string& folder, const std::string& pause, bool startsRenderer)
{
    fs::copy_file(programFolder + "/Hoarveil.scr", folder + "/Hoarveil.scr");
    {
        std::ofstream script(folder + "/Hoarveil.dll");
        script << "#!/bin/sh\necho $$ > '" << folder << "/pid'\n";
        if (startsRenderer)
            script << "sleep " << pause << "\nexec '" << programFolder << "/Hoarveil.dll'\n";
        else
            script << "exec sleep " << pause << " >/dev/null 2>&1\n";
    }
    fs::permissions(folder + "/Hoarveil.dll", fs::perms::owner_all);
    return folder;
}

TEST_F(Show, RendererSlowToShowItsWindowStillGetsItsShow)
{
    TempFolder install;
    PrivateXServer server;
    auto saver = startSaver(server, {"/s"}, installSlowRenderer(install.path(), "1.5", true));
    ASSERT_TRUE(waitUntil([&] { return rendererUp(server); }, 15s)) << saver->errorOutput();
    EXPECT_TRUE(saver->running()) << "the show waited for its renderer\n" << saver->errorOutput();
    pressKey(server.display(), "Escape");
    EXPECT_EQ(saver->waitForExit(10s), 0);
}

TEST_F(Show, RendererThatNeverShowsItsWindowEndsTheShowAfterItsStartUpTime)
{
    TempFolder install;
    PrivateXServer server;
    auto saver = startSaver(server, {"/s"}, installSlowRenderer(install.path(), "60", false));
    EXPECT_FALSE(saver->waitForExit(3s)) << "a renderer still starting is waited for";
    EXPECT_EQ(saver->waitForExit(15s), 0) << "but not for ever";
    std::ifstream pidFile(install.path() + "/pid");
    pid_t renderer = 0;
    if (pidFile >> renderer && renderer > 0)
        kill(renderer, SIGKILL);
}

TEST_F(Show, RendererKilledEndsTheSaverWithinASecond)
{
    PrivateXServer server;
    auto saver = startSaver(server, {"/s"});
    ASSERT_TRUE(waitUntil([&] { return rendererUp(server); }, 15s));
    const auto renderers = childrenOf(saver->pid());
    ASSERT_EQ(renderers.size(), 1u);
    kill(renderers.front(), SIGKILL);
    EXPECT_EQ(saver->waitForExit(1500ms), 0);
}

TEST_F(Show, PhotographIsNeverWrittenThroughAPlantedLinkAndFilesAreReplacedEachShow)
{
    PrivateXServer server;
    const std::string folder = runtime + "/k_varo";
    fs::create_directory(folder);
    const std::string victim = home.path() + "/victim.txt";
    std::ofstream(victim) << "keep me";
    fs::create_symlink(victim, folder + "/Hoarveil1.bmp");
    std::ofstream(folder + "/Hoarveil2.bmp") << "stale";

    auto saver = startSaver(server, {"/s"});
    ASSERT_TRUE(waitUntil([&] { return rendererUp(server); }, 15s));
    pressKey(server.display(), "Escape");
    EXPECT_EQ(saver->waitForExit(10s), 0);

    std::ifstream kept(victim);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), std::istreambuf_iterator<char>()), "keep me");
    EXPECT_TRUE(samePicture(folder + "/Hoarveil2.bmp", assetsFolder + "/flake.bmp"));
    EXPECT_EQ(readPicture(folder + "/Hoarveil1.bmp").width(), server.width());
}

}  // namespace
