// A show as a user runs it, on a private X server: the saver photographs the desktop, writes
// the two bitmaps, brings up the renderer, and is gone within a second of the renderer.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "saver/forms/bitmap_file.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"
#include "tests/support/x_user.h"
#include "tests/support/xserver.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

const std::string programFolder = HOARVEIL_PROGRAM_DIR;
const std::string assetsFolder = HOARVEIL_ASSETS_DIR;

std::vector<std::uint8_t> readBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

forms::RgbSurface readPicture(const std::string& path) { return forms::decodeBitmap(readBytes(path)); }

bool samePicture(const std::string& a, const std::string& b)
{
    const forms::RgbSurface first = readPicture(a), second = readPicture(b);
    if (first.empty() || first.width() != second.width() || first.height() != second.height())
        return false;
    return std::equal(first.data(), first.data() + first.width() * first.height() * 3, second.data());
}

// Trace lines of one program that mention the stage.
int countLines(const std::string& text, const std::string& program, const std::string& stage)
{
    int count = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        count += line.rfind("hoarveil-trace " + program + " ", 0) == 0 && line.find(stage) != std::string::npos;
    return count;
}

// The processes whose parent is the given one.
std::vector<pid_t> childrenOf(pid_t parent)
{
    std::vector<pid_t> children;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream stat(entry.path() / "stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        const auto close = text.rfind(')');
        if (close == std::string::npos)
            continue;
        int pid = 0, ppid = 0;
        char state = 0;
        if (sscanf(text.c_str(), "%d", &pid) == 1 && sscanf(text.c_str() + close + 1, " %c %d", &state, &ppid) == 2 &&
            ppid == parent && state != 'Z')
            children.push_back(pid);
    }
    return children;
}

class Show : public ::testing::Test {
protected:
    Show() : runtime(home.path() + "/run")
    {
        fs::create_directory(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
    }

    // A desktop a user would recognise: a blue backdrop with a red and a green window on it.
    void furnishDesktop(PrivateXServer& server)
    {
        Display* d = server.display();
        XSetWindowBackground(d, DefaultRootWindow(d), 0x3050A0);
        XClearWindow(d, DefaultRootWindow(d));
        for (auto [x, y, colour] : {std::tuple{0, 0, 0xE02020UL}, std::tuple{600, 400, 0x20C040UL}}) {
            const ::Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), x, y, 300, 250, 0, 0, colour);
            XMapWindow(d, w);
        }
        XSync(d, False);
        waitUntil([&] { return takeScreenshot(d).at(10, 10).r > 200; });
    }

    std::unique_ptr<ChildProcess> startSaver(PrivateXServer& server, std::vector<std::string> arguments,
                                             const std::string& folder = programFolder)
    {
        arguments.insert(arguments.begin(), folder + "/Hoarveil.scr");
        return std::make_unique<ChildProcess>(
            arguments, std::map<std::string, std::string>{{"DISPLAY", server.name()},
                                                          {"HOME", home.path()},
                                                          {"XDG_RUNTIME_DIR", runtime},
                                                          {"XDG_CONFIG_HOME", home.path() + "/config"},
                                                          {"HOARVEIL_TRACE", "1"}});
    }

    static bool rendererUp(PrivateXServer& server) { return findWindowByTitle(server.display(), "Hoarveil_VC") != 0; }

    std::string bitmap(const char* name) const { return runtime + "/k_varo/" + name; }

    TempFolder home;
    std::string runtime;
};

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
    int differing = 0;
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x) {
            const auto p = photo.pixel(x, y);
            const auto s = desktop.at(x, y);
            differing += p.r != s.r || p.g != s.g || p.b != s.b;
        }
    EXPECT_EQ(differing, 0);
    struct stat info {};
    ASSERT_EQ(stat(bitmap("Hoarveil1.bmp").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_TRUE(samePicture(bitmap("Hoarveil2.bmp"), assetsFolder + "/flake.bmp"));

    // The floor carries the desktop's colours.
    struct Colours {
        int red = 0, green = 0, blue = 0;
    };
    const auto floorColours = [](const Screenshot& shot) {
        Colours seen;
        for (int y = shot.height() / 2; y < shot.height(); y += 2)
            for (int x = 0; x < shot.width(); x += 2) {
                const Rgb p = shot.at(x, y);
                seen.red += p.r > 180 && p.g < 80 && p.b < 80;
                seen.green += p.g > 150 && p.r < 80 && p.b < 110;
                seen.blue += p.b > 130 && p.r < 90 && p.g > 50 && p.g < 110;
            }
        return seen;
    };
    const Screenshot shot = screenshotWhen(server.display(), [&](const Screenshot& s) {
        const Colours seen = floorColours(s);
        return seen.red > 100 && seen.green > 100 && seen.blue > 1000;
    });
    shot.save(::testing::TempDir() + "show.png");
    const Colours seen = floorColours(shot);
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

TEST_F(Show, RendererThatNeverShowsItsWindowEndsTheShowAtTheFirstWatch)
{
    TempFolder install;
    fs::copy_file(programFolder + "/Hoarveil.scr", install.path() + "/Hoarveil.scr");
    {
        std::ofstream fake(install.path() + "/Hoarveil.dll");
        fake << "#!/bin/sh\necho $$ > '" << install.path() << "/pid'\nexec sleep 30 >/dev/null 2>&1\n";
    }
    fs::permissions(install.path() + "/Hoarveil.dll", fs::perms::owner_all);
    PrivateXServer server;
    auto saver = startSaver(server, {"/s"}, install.path());
    EXPECT_EQ(saver->waitForExit(3s), 0);
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
