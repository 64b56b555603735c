// The renderer as a user meets it, on a private X server: it covers the screen, shows the
// scene, and only Esc or a close request ends it.
// GoogleTest before Xlib: Xlib's macros (None, Bool) would break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <signal.h>

#include <algorithm>

#include "tests/support/child_process.h"
#include "tests/support/x_user.h"
#include "tests/support/xserver.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {

const std::string rendererPath = std::string(HOARVEIL_PROGRAM_DIR) + "/Hoarveil.dll";

class RendererProgram : public ::testing::Test {
protected:
    // Starts the renderer on the server and waits for its window.
    ::Window start(PrivateXServer& server)
    {
        // Bitmaps from another test or an earlier show must not decide what is drawn.
        program = std::make_unique<ChildProcess>(
            std::vector<std::string>{rendererPath},
            std::map<std::string, std::string>{{"DISPLAY", server.name()}, {"XDG_RUNTIME_DIR", emptyFolder()}});
        ::Window window = 0;
        waitUntil([&] { return (window = findWindowByTitle(server.display(), "Hoarveil_VC")) != 0; }, 10s);
        return window;
    }

    static std::string emptyFolder() { return TempFolder::process(); }

    std::unique_ptr<ChildProcess> program;
};

// Not the user's doing, so not exit code 0; but an exit, not a crash.
void expectEndedInOrderWithAFailureCode(std::optional<int> code)
{
    ASSERT_TRUE(code.has_value());
    EXPECT_NE(*code, 0);
    EXPECT_LT(*code, 128) << "ended by a signal";
}

bool isGrey(Rgb p) { return p.r > 60 && p.r < 230 && p.r == p.g && p.g == p.b; }

TEST_F(RendererProgram, EscapeEndsItWithExitCodeZero)
{
    PrivateXServer server;
    ASSERT_NE(start(server), 0u) << program->errorOutput();
    pressKey(server.display(), "Escape");
    EXPECT_EQ(program->waitForExit(10s), 0);
    EXPECT_EQ(findWindowByTitle(server.display(), "Hoarveil_VC"), 0u);
}

TEST_F(RendererProgram, OtherKeysClicksAndAltF4LeaveItRunning)
{
    PrivateXServer server;
    ::Window window = start(server);
    ASSERT_NE(window, 0u);
    Display* d = server.display();
    pressKey(d, "a");
    pressKey(d, "space");
    pressKey(d, "Return");
    pressKey(d, "F4", {"Alt_L"});
    movePointer(d, 100, 100);
    movePointer(d, 500, 400);
    click(d, 300, 300, 1);
    click(d, 300, 300, 3);
    EXPECT_FALSE(program->waitForExit(1500ms).has_value());
    EXPECT_EQ(findWindowByTitle(d, "Hoarveil_VC"), window);
    pressKey(d, "Escape");
    EXPECT_EQ(program->waitForExit(10s), 0);
}

TEST_F(RendererProgram, CloseRequestFromAnotherClientEndsItWithExitCodeZero)
{
    PrivateXServer server;
    ::Window window = start(server);
    ASSERT_NE(window, 0u);
    sendDeleteWindow(server.display(), window);
    EXPECT_EQ(program->waitForExit(10s), 0);
}

TEST_F(RendererProgram, WindowDestroyedByAnotherClientEndsItWithoutACrash)
{
    PrivateXServer server;
    ::Window window = start(server);
    ASSERT_NE(window, 0u);
    XDestroyWindow(server.display(), window);
    XSync(server.display(), False);
    expectEndedInOrderWithAFailureCode(program->waitForExit(10s));
    const std::string errors = program->errorOutput();
    EXPECT_LE(std::count(errors.begin(), errors.end(), '\n'), 2) << errors;
}

TEST_F(RendererProgram, LostConnectionEndsItWithoutACrash)
{
    auto server = std::make_unique<PrivateXServer>();
    ASSERT_NE(start(*server), 0u);
    server.reset();
    expectEndedInOrderWithAFailureCode(program->waitForExit(10s));
}

TEST_F(RendererProgram, ScreenSmallerThanTheModeEndsItByItself)
{
    PrivateXServer server(800, 600);
    program = std::make_unique<ChildProcess>(std::vector<std::string>{rendererPath},
                                             std::map<std::string, std::string>{{"DISPLAY", server.name()}});
    EXPECT_EQ(program->waitForExit(10s), 0);
}

int greyPixelsInTheSky(const Screenshot& shot)
{
    int grey = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < shot.width(); ++x)
            grey += isGrey(shot.at(x, y));
    return grey;
}

bool isWhite(Rgb p) { return p.r >= 250 && p.g >= 250 && p.b >= 250; }

TEST_F(RendererProgram, ShowsBlackSkyWhiteFloorAndGreyFlakes)
{
    PrivateXServer server;
    ASSERT_NE(start(server), 0u);
    // The floor lies below the horizon: the bottom centre is white, the top corner black.
    const Screenshot shot = screenshotWhen(server.display(), [](const Screenshot& s) {
        return isWhite(s.at(512, 740)) && greyPixelsInTheSky(s) > 50;
    });
    shot.save(::testing::TempDir() + "renderer.png");
    EXPECT_TRUE(isWhite(shot.at(512, 740)));
    const Rgb top = shot.at(5, 5);
    EXPECT_LE(top.r + top.g + top.b, 30);
    EXPECT_GT(greyPixelsInTheSky(shot), 50) << "grey flake squares in the sky";
}

TEST_F(RendererProgram, WideScreenShowsTheSceneScaledWithBlackBars)
{
    PrivateXServer server(1920, 1080);
    ASSERT_NE(start(server), 0u);
    // 1440 x 1080 in the middle, the floor reaching its bottom edge; the 240-pixel bars on both
    // sides stay black.
    const Screenshot shot =
        screenshotWhen(server.display(), [](const Screenshot& s) { return isWhite(s.at(960, 1060)); });
    EXPECT_TRUE(isWhite(shot.at(960, 1060)));
    for (int y : {100, 540, 1070}) {
        EXPECT_EQ(shot.at(100, y).r, 0);
        EXPECT_EQ(shot.at(1820, y).r, 0);
    }
}

}  // namespace
