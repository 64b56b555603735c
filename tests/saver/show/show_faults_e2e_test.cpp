// Shows in the places where they once went wrong: a named pipe where a file should be, an X
// server without GLX, two monitors. The show starts and ends as the user expects, or ends by
// itself with the cursor given back; it never hangs.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <sys/stat.h>

#include "tests/saver/show/show_fixture.h"

using namespace testing_support;

namespace {

void writeSettings(const std::string& folder, const std::string& kind, const std::string& file)
{
    std::ofstream(folder + "/Hoarveil.ini") << "[Section]\nBGM区分=" << kind << "\nBGMﾌｧｲﾙ=" << file << "\n";
}

TEST_F(Show, NamedPipeAsTheRendererEndsTheShowInsteadOfHangingIt)
{
    const std::string folder = installSaver(false);
    ASSERT_EQ(mkfifo((folder + "/Hoarveil.dll").c_str(), 0700), 0);
    PrivateXServer server;
    auto saver = startSaver(server, {"/s"}, folder);
    EXPECT_EQ(saver->waitForExit(5s), 0) << saver->errorOutput();
    EXPECT_EQ(countLines(saver->errorOutput(), "Hoarveil.scr", "cursor shown"), 1) << saver->errorOutput();
}

TEST_F(Show, NamedPipeAsTheMusicFileLeavesTheShowSilent)
{
    const std::string folder = installSaver();
    const std::string pipe = home.path() + "/music.wav";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    writeSettings(folder, "2", pipe);
    PrivateXServer server;
    auto saver = startSaver(server, {"/s"}, folder, {{"SDL_AUDIODRIVER", "dummy"}});
    ASSERT_TRUE(waitUntil([&] { return rendererUp(server); }, 15s)) << saver->errorOutput();
    pressKey(server.display(), "Escape");
    EXPECT_EQ(saver->waitForExit(10s), 0) << saver->errorOutput();
}

TEST_F(Show, WithoutGlxTheShowEndsByItselfWithTheCursorShown)
{
    PrivateXServer server(1024, 768, 24, {"-extension", "GLX"});
    auto saver = startSaver(server, {"/s"});
    EXPECT_EQ(saver->waitForExit(10s), 0) << saver->errorOutput();
    const std::string output = saver->errorOutput();
    EXPECT_EQ(countLines(output, "Hoarveil.scr", "cursor shown"), 1) << output;
    EXPECT_NE(output.find("OpenGL"), std::string::npos) << "the renderer says why: " << output;
}

TEST_F(Show, PhotographIsThePrimaryMonitorsArea)
{
    PrivateXServer server(2048, 768);
    Display* d = server.display();
    ASSERT_TRUE(server.addMonitor("left", 1024, 768, 0, 0));
    ASSERT_TRUE(server.addMonitor("*right", 1024, 768, 1024, 0));
    // Red on the left monitor, green on the primary one at the right.
    const ::Window left = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1024, 768, 0, 0, 0xE02020);
    const ::Window right = XCreateSimpleWindow(d, DefaultRootWindow(d), 1024, 0, 1024, 768, 0, 0, 0x20C040);
    XMapWindow(d, left);
    XMapWindow(d, right);
    XSync(d, False);
    ASSERT_TRUE(waitUntil([&] { return takeScreenshot(d).at(2000, 700).g > 150; }));

    auto saver = startSaver(server, {"/s"});
    ASSERT_TRUE(waitUntil([&] { return rendererUp(server); }, 15s)) << saver->errorOutput();
    const forms::RgbSurface photo = readPicture(bitmap("Hoarveil1.bmp"));
    ASSERT_EQ(photo.width(), 1024);
    ASSERT_EQ(photo.height(), 768);
    int green = 0;
    for (int y = 0; y < 768; y += 8)
        for (int x = 0; x < 1024; x += 8)
            green += photo.pixel(x, y).g > 150 && photo.pixel(x, y).r < 80;
    EXPECT_EQ(green, 128 * 96) << "every pixel from the primary monitor";
    pressKey(d, "Escape");
    EXPECT_EQ(saver->waitForExit(10s), 0);
}

}  // namespace
