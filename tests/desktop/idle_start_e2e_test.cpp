// The show as the desktop's screen saver: xss-lock, Debian's idle watcher, starts it when the X
// server's screen-saver timer fires and stops it with SIGTERM. Here on a private X server with a
// 3-second timer and a stand-in for logind on a private bus, as a user meets it: the show comes
// by itself, only Esc ends it, it comes back after the next idle period, and stopping the
// watcher ends it completely.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <signal.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "saver/forms/bitmap_file.h"
#include "tests/support/child_process.h"
#include "tests/support/process_census.h"
#include "tests/support/temp_folder.h"
#include "tests/support/x_user.h"
#include "tests/support/xserver.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

const std::string programFolder = HOARVEIL_PROGRAM_DIR;
const std::string testFolder = HOARVEIL_TEST_SOURCE_DIR;

// A private bus standing for the system bus, with the fake logind on it.
class FakeLogind {
public:
    explicit FakeLogind(const std::string& folder) : address("unix:path=" + folder + "/bus")
    {
        bus = std::make_unique<ChildProcess>(std::vector<std::string>{
            "/usr/bin/dbus-daemon", "--nofork", "--config-file=" + testFolder + "/private_bus.conf",
            "--address=" + address});
        waitUntil([&] { return fs::exists(folder + "/bus"); }, 10s);
        logind = std::make_unique<ChildProcess>(
            std::vector<std::string>{"/usr/bin/python3", testFolder + "/fake_logind.py", address});
        waitUntil([&] { return logind->errorOutput().find("ready") != std::string::npos; }, 10s);
    }

    bool ready() const { return logind->errorOutput().find("ready") != std::string::npos; }
    std::string hints() const { return logind->errorOutput(); }

    const std::string address;

private:
    std::unique_ptr<ChildProcess> bus, logind;
};

class IdleStart : public ::testing::Test {
protected:
    IdleStart() : logind(home.path())
    {
        XSetScreenSaver(server.display(), 3, 0, DefaultBlanking, DefaultExposures);  // xset s 3 0
        XSync(server.display(), False);
    }

    // A desktop to photograph: a blue backdrop with a red window on it.
    Screenshot furnishDesktop()
    {
        Display* d = server.display();
        XSetWindowBackground(d, DefaultRootWindow(d), 0x3050A0);
        XClearWindow(d, DefaultRootWindow(d));
        const ::Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 100, 100, 300, 250, 0, 0, 0xE02020);
        XMapWindow(d, w);
        XSync(d, False);
        return screenshotWhen(d, [](const Screenshot& s) { return s.at(150, 150).r > 200; });
    }

    void startWatcher()
    {
        fs::create_directories(home.path() + "/run");
        fs::permissions(home.path() + "/run", fs::perms::owner_all);
        watcher = std::make_unique<ChildProcess>(
            std::vector<std::string>{"/usr/bin/xss-lock", "--ignore-sleep", "--", programFolder + "/Hoarveil.scr", "/s"},
            std::map<std::string, std::string>{{"DISPLAY", server.name()},
                                               {"DBUS_SYSTEM_BUS_ADDRESS", logind.address},
                                               {"HOME", home.path()},
                                               {"XDG_RUNTIME_DIR", home.path() + "/run"},
                                               {"XDG_CONFIG_HOME", home.path() + "/config"},
                                               {"HOARVEIL_TEST_RUN", home.path()}});
    }

    std::size_t shows() const { return findWindowsByTitle(server.display(), "Hoarveil_VC").size(); }
    std::size_t savers() const { return findWindowsByTitle(server.display(), "Hoarveil_Main").size(); }

    bool showStartsByItself() { return waitUntil([&] { return shows() == 1; }, 20s); }

    TempFolder home;
    PrivateXServer server;
    FakeLogind logind;
    std::unique_ptr<ChildProcess> watcher;
};

bool samePixels(const forms::RgbSurface& photo, const Screenshot& desktop)
{
    if (photo.width() != desktop.width() || photo.height() != desktop.height())
        return false;
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x) {
            const auto p = photo.pixel(x, y);
            const Rgb s = desktop.at(x, y);
            if (p.r != s.r || p.g != s.g || p.b != s.b)
                return false;
        }
    return true;
}

forms::RgbSurface readPicture(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return forms::decodeBitmap(bytes);
}

TEST_F(IdleStart, ComesWhenIdleGoesWithEscAndComesBackAndTheWatchersEndEndsIt)
{
    ASSERT_TRUE(logind.ready());
    const Screenshot desktop = furnishDesktop();
    startWatcher();
    ASSERT_TRUE(showStartsByItself()) << watcher->errorOutput();
    EXPECT_TRUE(samePixels(readPicture(home.path() + "/run/k_varo/Hoarveil1.bmp"), desktop))
        << "the show's photograph is the desktop";
    EXPECT_NE(logind.hints().find("idle true"), std::string::npos) << logind.hints();

    // Keys other than Esc and the pointer change nothing, and idle periods during the show
    // start no second one; the server draws nothing of its own over it.
    Display* d = server.display();
    const ::Window show = findWindowByTitle(d, "Hoarveil_VC");
    pressKey(d, "a");
    pressKey(d, "space");
    movePointer(d, 200, 200);
    movePointer(d, 700, 500);
    // Longer than an idle period: a change that must not come.
    EXPECT_FALSE(waitUntil([&] { return findWindowByTitle(d, "Hoarveil_VC") != show || shows() != 1 || savers() != 1; },
                           4500ms));
    const Screenshot later = takeScreenshot(d);
    int floor = 0;
    for (int y = later.height() / 2; y < later.height(); y += 4)
        for (int x = 0; x < later.width(); x += 4)
            floor += later.at(x, y).b > 100;
    EXPECT_GT(floor, 500) << "the floor still shows after an idle period";
    later.save(::testing::TempDir() + "idle-show.png");

    pressKey(d, "Escape");
    EXPECT_TRUE(waitUntil([&] { return shows() == 0 && savers() == 0; }, 10s));
    EXPECT_TRUE(watcher->running()) << watcher->errorOutput();

    ASSERT_TRUE(showStartsByItself()) << "the next idle period starts it again\n" << watcher->errorOutput();
    watcher->signal(SIGTERM);
    EXPECT_EQ(watcher->waitForExit(10s), 0) << watcher->errorOutput();
    EXPECT_TRUE(waitUntil([&] {
        return shows() == 0 && savers() == 0 && processesWithEnvironment("HOARVEIL_TEST_RUN=" + home.path()).empty();
    }, 10s)) << "no process and no window of ours left";
}

}  // namespace
