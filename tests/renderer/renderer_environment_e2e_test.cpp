// The renderer among what a real X server brings: no GLX at all, the server's own screen saver,
// several monitors. It never crashes, keeps the show on the screen and gives back what it held.
// GoogleTest before Xlib: Xlib's macros (None, Bool) would break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>

#include "tests/support/bmp_writer.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"
#include "tests/support/x_user.h"
#include "tests/support/xserver.h"

using namespace testing_support;

namespace {

const std::string rendererPath = std::string(HOARVEIL_PROGRAM_DIR) + "/Hoarveil.dll";

class RendererEnvironment : public ::testing::Test {
protected:
    RendererEnvironment() { mkdir((runtime.path() + "/k_varo").c_str(), 0700); }

    // The saver's two bitmaps, as a show leaves them for the renderer.
    void writeBitmaps()
    {
        const std::string folder = runtime.path() + "/k_varo/";
        writeFile(folder + "Hoarveil1.bmp", encodeBmp(makePicture(1024, 768, [](int, int) { return 0x3050A0u; }), {}));
        writeFile(folder + "Hoarveil2.bmp", encodeBmp(makePicture(64, 64, [](int, int) { return 0xFFFFFFu; }), {}));
    }

    void start(PrivateXServer& server)
    {
        program = std::make_unique<ChildProcess>(
            std::vector<std::string>{rendererPath},
            std::map<std::string, std::string>{{"DISPLAY", server.name()}, {"XDG_RUNTIME_DIR", runtime.path()}});
    }

    ::Window waitForWindow(PrivateXServer& server)
    {
        ::Window window = 0;
        waitUntil([&] { return (window = findWindowByTitle(server.display(), "Hoarveil_VC")) != 0; }, 10s);
        return window;
    }

    TempFolder runtime;
    std::unique_ptr<ChildProcess> program;
};

bool isWhite(Rgb p) { return p.r >= 250 && p.g >= 250 && p.b >= 250; }

TEST_F(RendererEnvironment, WithoutGlxItEndsInOrderWithOneClearLine)
{
    PrivateXServer server(1024, 768, 24, {"-extension", "GLX"});
    writeBitmaps();
    start(server);
    EXPECT_EQ(program->waitForExit(10s), 0) << program->errorOutput();
    const std::string errors = program->errorOutput();
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_NE(errors.find("OpenGL"), std::string::npos) << errors;
    EXPECT_EQ(findWindowByTitle(server.display(), "Hoarveil_VC"), 0u);
}

// However the renderer ends, the server's screen saver works again: by the renderer's own
// teardown, or by the server when the renderer's connection closes.
TEST_F(RendererEnvironment, ServerScreenSaverStaysAwayWhileItRunsAndComesBackHoweverItEnds)
{
    PrivateXServer server;
    Display* d = server.display();
    // Without blanking, an active screen saver maps its cover window over the show.
    XSetScreenSaver(d, 1, 0, DontPreferBlanking, AllowExposures);
    XSync(d, False);
    int corner = 0;
    for (const char* ending : {"Escape", "SIGTERM", "SIGKILL"}) {
        SCOPED_TRACE(ending);
        // The user comes back: the server's screen saver from the last round goes away.
        movePointer(d, corner, corner);
        corner = 10 - corner;
        ASSERT_TRUE(waitUntil([&] { return server.screenSaverState() == ScreenSaverOff; }, 5s));
        start(server);
        ASSERT_NE(waitForWindow(server), 0u) << program->errorOutput();
        EXPECT_FALSE(waitUntil([&] { return server.screenSaverState() == ScreenSaverOn; }, 3s));
        const Screenshot shot = screenshotWhen(d, [](const Screenshot& s) { return isWhite(s.at(512, 740)); });
        EXPECT_TRUE(isWhite(shot.at(512, 740))) << "the floor, not the server's cover window";

        if (ending == std::string("Escape"))
            pressKey(d, "Escape");
        else
            program->signal(ending == std::string("SIGTERM") ? SIGTERM : SIGKILL);
        const auto code = program->waitForExit(10s);
        ASSERT_TRUE(code.has_value());
        EXPECT_TRUE(*code == 0 || *code == 128 + SIGTERM || *code == 128 + SIGKILL) << *code;
        EXPECT_TRUE(waitUntil([&] { return server.screenSaverState() == ScreenSaverOn; }, 5s));
    }
    int timeout = 0, interval = 0, preferBlanking = 0, allowExposures = 0;
    XGetScreenSaver(d, &timeout, &interval, &preferBlanking, &allowExposures);
    EXPECT_EQ(timeout, 1) << "the server's settings are never changed";
    EXPECT_EQ(preferBlanking, DontPreferBlanking);
}

TEST_F(RendererEnvironment, CoversThePrimaryMonitorOnly)
{
    struct Case {
        const char *left, *right;
        int coveredLeft;
    };
    // The primary one; without a primary, the one at the screen's origin.
    for (const Case& monitors : {Case{"left", "*right", 1024}, Case{"left", "right", 0}}) {
        SCOPED_TRACE(monitors.right);
        PrivateXServer server(2048, 768);
        Display* d = server.display();
        // Two monitors side by side on one X screen.
        ASSERT_TRUE(server.addMonitor(monitors.left, 1024, 768, 0, 0));
        ASSERT_TRUE(server.addMonitor(monitors.right, 1024, 768, 1024, 0));
        XSetWindowBackground(d, DefaultRootWindow(d), 0x3050A0);
        XClearWindow(d, DefaultRootWindow(d));
        XSync(d, False);
        start(server);
        const ::Window window = waitForWindow(server);
        ASSERT_NE(window, 0u) << program->errorOutput();
        XWindowAttributes attributes{};
        XGetWindowAttributes(d, window, &attributes);
        EXPECT_EQ(attributes.x, monitors.coveredLeft);
        EXPECT_EQ(attributes.width, 1024);
        EXPECT_EQ(attributes.height, 768);

        const int otherLeft = 1024 - monitors.coveredLeft;
        const Screenshot shot = screenshotWhen(
            d, [&](const Screenshot& s) { return isWhite(s.at(monitors.coveredLeft + 512, 740)); });
        shot.save(::testing::TempDir() + "primary-monitor-" + std::to_string(monitors.coveredLeft) + ".png");
        EXPECT_TRUE(isWhite(shot.at(monitors.coveredLeft + 512, 740))) << "the floor fills the covered monitor";
        const Rgb desktop = shot.at(otherLeft + 512, 740);
        EXPECT_EQ(desktop.b, 0xA0) << "the other monitor keeps showing the desktop";
        pressKey(d, "Escape");
        EXPECT_EQ(program->waitForExit(10s), 0);
    }
}

}  // namespace
