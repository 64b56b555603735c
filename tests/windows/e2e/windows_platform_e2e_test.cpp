// The saver's platform calls in the Windows build, under Wine on a private X server: the
// desktop photograph is the screen as X has it, windows of other programs are found by title
// and under the pointer, and what ShellExecuteA opens is started.
// GoogleTest before Xlib: Xlib's macros (None, Bool) would break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/wine.h"
#include "tests/support/x_user.h"

using namespace testing_support;

namespace {

const std::string probe = std::string(HOARVEIL_WINDOWS_BUILD) + "/tests/windows/platform_probe.exe";

// Many colours, none the same as its neighbours: every channel of every pixel counts.
Rgb patternAt(int x, int y)
{
    return {std::uint8_t(x * 7 + y), std::uint8_t(y * 5 ^ x), std::uint8_t((x + y * 3) & 0xFF)};
}

// A window over the whole screen that shows the pattern; it goes with the test's connection.
void showPattern(Display* display, int width, int height)
{
    const int screen = DefaultScreen(display);
    const ::Window root = RootWindow(display, screen);
    auto* data = static_cast<char*>(std::malloc(std::size_t(width) * height * 4));
    XImage* image = XCreateImage(display, DefaultVisual(display, screen), 24, ZPixmap, 0, data, width, height, 32, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb p = patternAt(x, y);
            XPutPixel(image, x, y, (unsigned long)p.r << 16 | p.g << 8 | p.b);
        }
    const Pixmap pixmap = XCreatePixmap(display, root, width, height, 24);
    const GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XPutImage(display, pixmap, gc, image, 0, 0, 0, 0, width, height);
    XFreeGC(display, gc);
    XDestroyImage(image);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixmap = pixmap;
    const ::Window window = XCreateWindow(display, root, 0, 0, width, height, 0, CopyFromParent, InputOutput,
                                          CopyFromParent, CWOverrideRedirect | CWBackPixmap, &attributes);
    XMapRaised(display, window);
    XSync(display, False);
}

bool showsPattern(const Screenshot& shot)
{
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const Rgb seen = shot.at(x, y), meant = patternAt(x, y);
            if (seen.r != meant.r || seen.g != meant.g || seen.b != meant.b)
                return false;
        }
    return true;
}

TEST(WindowsPlatform, TheDesktopPhotographIsTheScreenPixelForPixel)
{
    const WinePrefix prefix = WinePrefix::current();
    WineScreen screen(prefix, 640, 480, false);
    showPattern(screen.display(), 640, 480);
    const Screenshot shot = screenshotWhen(screen.display(), showsPattern);
    ASSERT_TRUE(showsPattern(shot)) << "the X server never showed the pattern";

    const std::string photograph = prefix.linuxPath("C:\\photograph.rgb");
    std::filesystem::remove(photograph);
    ASSERT_EQ(prefix.run(probe, {"capture", "640", "480", "C:\\photograph.rgb"}, screen.server().name()), 0);
    std::ifstream in(photograph, std::ios::binary);
    const std::vector<char> rgb{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_EQ(rgb.size(), 640u * 480 * 3);
    int differing = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const auto* p = reinterpret_cast<const std::uint8_t*>(rgb.data()) + (std::size_t(y) * 640 + x) * 3;
            const Rgb seen = shot.at(x, y);
            differing += p[0] != seen.r || p[1] != seen.g || p[2] != seen.b;
        }
    EXPECT_EQ(differing, 0) << "pixels that differ from the X screenshot";
    std::filesystem::remove(photograph);
}

TEST(WindowsPlatform, AnotherProgramsWindowIsFoundByItsTitle)
{
    const WinePrefix prefix = WinePrefix::current();
    WineScreen screen(prefix, 640, 480, false);
    const std::string display = screen.server().name();
    EXPECT_EQ(prefix.run(probe, {"find-window", "Untitled - Notepad"}, display), 1);
    auto notepad = prefix.start("notepad", {}, display);
    ASSERT_TRUE(waitUntil([&] { return findWindowByTitle(screen.display(), "Untitled - Notepad") != 0; }, 30s));
    EXPECT_EQ(prefix.run(probe, {"find-window", "Untitled - Notepad"}, display), 0);
    EXPECT_EQ(prefix.run(probe, {"find-window", "Untitled - Notepa"}, display), 1) << "the whole title, not a part";

    // The pointer in the middle of the window: the window there is one of Notepad's.
    XWindowAttributes place{};
    ::Window child = 0;
    int x = 0, y = 0;
    const ::Window notepadWindow = findWindowByTitle(screen.display(), "Untitled - Notepad");
    ASSERT_TRUE(XGetWindowAttributes(screen.display(), notepadWindow, &place));
    XTranslateCoordinates(screen.display(), notepadWindow, DefaultRootWindow(screen.display()), place.width / 2,
                          place.height / 2, &x, &y, &child);
    movePointer(screen.display(), x, y);
    const std::string position = prefix.linuxPath("C:\\pointer.txt");
    ASSERT_EQ(prefix.run(probe, {"pointer", "C:\\pointer.txt"}, display), 0);
    std::ifstream in(position);
    int seenX = -1, seenY = -1;
    in >> seenX >> seenY;
    EXPECT_EQ(seenX, x);
    EXPECT_EQ(seenY, y);
    std::filesystem::remove(position);
    EXPECT_EQ(prefix.run(probe, {"window-at", std::to_string(x), std::to_string(y), "Untitled - Notepad"}, display), 0);
    EXPECT_EQ(prefix.run(probe, {"window-at", std::to_string(x + place.width), "5", "Untitled - Notepad"}, display), 1)
        << "beside it";
}

// A new prefix has no program for .txt (ShellExecuteA answers SE_ERR_NOASSOC): a program is
// what opens here.
TEST(WindowsPlatform, WhatShellExecuteOpensIsStartedAndAMissingFileIsRefused)
{
    const WinePrefix prefix = WinePrefix::current();
    WineScreen screen(prefix, 640, 480, false);
    const std::string display = screen.server().name();
    EXPECT_EQ(prefix.run(probe, {"open", "C:\\windows\\notepad.exe"}, display), 0);
    EXPECT_TRUE(waitUntil([&] { return findWindowByTitle(screen.display(), "Untitled - Notepad") != 0; }, 30s));
    EXPECT_EQ(prefix.run(probe, {"open", "C:\\missing.exe"}, display), 1);
}

TEST(WindowsPlatform, TheFileChooserIsDrivenByKeysAndGivesThePathAndName)
{
    const WinePrefix prefix = WinePrefix::current();
    WineScreen screen(prefix, 640, 480, false);
    const std::string music = prefix.linuxPath("C:\\music"), answer = prefix.linuxPath("C:\\chosen.txt");
    std::filesystem::create_directories(music);
    std::ofstream(music + "/tune.mp3") << "not really music";
    std::filesystem::remove(answer);

    auto chooser = prefix.start(probe, {"choose", "C:\\music", "C:\\chosen.txt"}, screen.server().name());
    ASSERT_TRUE(waitUntil([&] { return findWindowByTitle(screen.display(), "Choose music") != 0; }, 30s));
    // Keys go to the focused window: the chooser has it once it is drawn and its list is filled.
    screenshotWhen(screen.display(), [](const Screenshot& shot) {
        int light = 0;
        for (int y = 0; y < shot.height(); y += 4)
            for (int x = 0; x < shot.width(); x += 4)
                light += shot.at(x, y).r > 200;
        return light > 2000;
    });
    ASSERT_TRUE(waitUntil([&] {
        ::Window focused = 0;
        int revert = 0;
        XGetInputFocus(screen.display(), &focused, &revert);
        return focused != 0 && focused != PointerRoot;
    }));
    for (const char* key : {"t", "u", "n", "e", "period", "m", "p", "3", "Return"})
        pressKey(screen.display(), key);
    const auto ended = chooser->waitForExit(30s);
    ASSERT_EQ(ended, 0);
    std::ifstream in(answer);
    std::string path, name;
    std::getline(in, path);
    std::getline(in, name);
    EXPECT_EQ(path, "C:\\music\\tune.mp3");
    EXPECT_EQ(name, "tune.mp3");
    std::filesystem::remove_all(music);
    std::filesystem::remove(answer);
}

}  // namespace
