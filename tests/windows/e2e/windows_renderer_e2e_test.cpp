// The Windows renderer under Wine, as a user meets it: the display really switches to
// 1024 x 768 and back, the scene shows the show's two bitmaps, only Esc or another program's
// WM_CLOSE ends it, and a broken flake file gets the reader's box.
// GoogleTest before Xlib: Xlib's macros (None, Bool) would break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <signal.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <thread>

#include "tests/support/bmp_writer.h"
#include "tests/support/scene_tones.h"
#include "tests/support/wine.h"
#include "tests/support/x_user.h"

using namespace testing_support;

namespace {

const std::string windowsBuild = HOARVEIL_WINDOWS_BUILD;
const std::string rendererProgram = windowsBuild + "/Hoarveil.dll";
const std::string messageLogPath = "C:\\hoarveil-messages.log";
constexpr ScreenSize rendererMode{1024, 768};

bool isWhite(Rgb p) { return p.r >= 250 && p.g >= 250 && p.b >= 250; }

// Whether the box's text has been drawn: dark pixels inside its window, on the screen.
bool boxDrawn(const Screenshot& shot, Display* display, ::Window box)
{
    XWindowAttributes place{};
    if (!XGetWindowAttributes(display, box, &place))
        return false;
    int dark = 0;
    for (int y = std::max(place.y, 0); y < std::min(place.y + place.height, shot.height()); ++y)
        for (int x = std::max(place.x, 0); x < std::min(place.x + place.width, shot.width()); ++x) {
            const Rgb p = shot.at(x, y);
            dark += p.r < 80 && p.g < 80 && p.b < 80;
        }
    return dark > 50;
}

class WindowsRenderer : public ::testing::Test {
protected:
    WindowsRenderer() : prefix(WinePrefix::current()), bitmaps(prefix.linuxPath("C:\\k_varo"))
    {
        // What an earlier test or show left must not decide what is drawn.
        std::filesystem::remove_all(bitmaps);
        std::filesystem::create_directories(bitmaps);
        std::filesystem::remove(prefix.linuxPath(messageLogPath));
    }
    // The renderer goes before the screen it runs on.
    void TearDown() override { renderer.reset(); }

    void writeFloor(const std::vector<std::uint8_t>& bytes) { writeFile(bitmaps + "/Hoarveil1.bmp", bytes); }
    void writeFlake(const std::vector<std::uint8_t>& bytes) { writeFile(bitmaps + "/Hoarveil2.bmp", bytes); }

    // Starts the renderer and waits for its window; Wine's start takes seconds on a busy machine.
    ::Window start(WineScreen& screen)
    {
        renderer = prefix.start(rendererProgram, {}, screen.server().name(), {{"HOARVEIL_MESSAGE_LOG", messageLogPath}});
        ::Window window = 0;
        waitUntil([&] { return (window = findWindowByTitle(screen.display(), "Hoarveil_VC")) != 0; }, 30s);
        return window;
    }

    std::string loggedMessages() const
    {
        std::ifstream log(prefix.linuxPath(messageLogPath));
        std::stringstream text;
        text << log.rdbuf();
        return text.str();
    }

    static Screenshot settledScreenshot(WineScreen& screen, const std::string& name,
                                        const std::function<bool(const Screenshot&)>& shows)
    {
        Screenshot shot = screenshotWhen(screen.display(), shows, 30s);
        shot.save(::testing::TempDir() + "windows-" + name + ".png");
        return shot;
    }

    WinePrefix prefix;
    std::string bitmaps;
    std::unique_ptr<ChildProcess> renderer;
};

int floorPatches(const Screenshot& shot)
{
    int count = 0;
    for (Tone tone : {Tone::Red, Tone::Green, Tone::Blue, Tone::Yellow})
        count += patchesOf(shot, tone, 300, shot.height());
    return count;
}

TEST_F(WindowsRenderer, SwitchesTheScreenShowsBothPicturesAndOnlyEscapeEndsIt)
{
    writeFloor(quadrantPicture());
    writeFlake(plainPicture(0xFF00FF));
    WineScreen screen(prefix, 1280, 1024, true);
    Display* d = screen.display();
    const ::Window window = start(screen);
    ASSERT_NE(window, 0u) << renderer->errorOutput();
    EXPECT_TRUE(waitUntil([&] { return screenSize(d) == rendererMode; }, 10s)) << "the display switched to 1024 x 768";

    const Screenshot shot = settledScreenshot(screen, "scene", [](const Screenshot& s) {
        return s.width() == 1024 && floorPatches(s) >= 6 && skyPixelsOf(s, Tone::Magenta) > 50;
    });
    EXPECT_EQ(shot.width(), 1024);
    EXPECT_GE(floorPatches(shot), 6) << "the desktop picture tiles the floor";
    EXPECT_GT(skyPixelsOf(shot, Tone::Magenta), 50) << "the flake picture on the flakes";
    EXPECT_LT(skyPixelsOf(shot, Tone::Grey), 20) << "no untextured flakes";
    EXPECT_EQ(loggedMessages(), "");

    movePointer(d, 500, 400);
    EXPECT_TRUE(waitUntil([&] { return !cursorShown(d); }, 5s)) << "the cursor is hidden over the scene";
    pressKey(d, "a");
    pressKey(d, "space");
    pressKey(d, "Return");
    pressKey(d, "F4", {"Alt_L"});
    click(d, 300, 300, 1);
    click(d, 300, 300, 3);
    // The window stays findable all the while.
    const auto until = std::chrono::steady_clock::now() + 1500ms;
    while (std::chrono::steady_clock::now() < until) {
        ASSERT_EQ(findWindowByTitle(d, "Hoarveil_VC"), window);
        std::this_thread::sleep_for(50ms);
    }
    EXPECT_FALSE(renderer->waitForExit(0ms).has_value()) << "other keys, clicks and Alt+F4 leave it running";

    pressKey(d, "Escape");
    EXPECT_EQ(renderer->waitForExit(20s), 0);
    EXPECT_EQ(screenSize(d), screen.ownSize()) << "the display is back in its own mode";
    EXPECT_EQ(findWindowByTitle(d, "Hoarveil_VC"), 0u);
    EXPECT_TRUE(cursorShown(d));
}

TEST_F(WindowsRenderer, CloseRequestFromAnotherProgramEndsItWithExitCodeZero)
{
    WineScreen screen(prefix, 1280, 1024, true);
    ASSERT_NE(start(screen), 0u) << renderer->errorOutput();
    EXPECT_EQ(prefix.run(windowsBuild + "/tests/windows/post_close.exe", {"Hoarveil_VC"}, screen.server().name()), 0);
    EXPECT_EQ(renderer->waitForExit(20s), 0);
    EXPECT_EQ(findWindowByTitle(screen.display(), "Hoarveil_VC"), 0u);
    EXPECT_EQ(screenSize(screen.display()), screen.ownSize());
}

TEST_F(WindowsRenderer, RefusedModeEndsItByItselfWithExitCodeZero)
{
    WineScreen screen(prefix, 1280, 1024, false);
    renderer = prefix.start(rendererProgram, {}, screen.server().name());
    EXPECT_EQ(renderer->waitForExit(30s), 0) << renderer->errorOutput();
    EXPECT_EQ(screenSize(screen.display()), screen.ownSize());
}

// Wine leaves the display switched when a program dies; the harness must not.
TEST_F(WindowsRenderer, HarnessPutsTheScreenBackAfterARendererThatWasKilled)
{
    WineScreen screen(prefix, 1280, 1024, true);
    ASSERT_NE(start(screen), 0u) << renderer->errorOutput();
    ASSERT_TRUE(waitUntil([&] { return screenSize(screen.display()) == rendererMode; }, 10s));
    renderer->signal(SIGKILL);
    renderer->waitForExit(10s);
    ASSERT_EQ(screenSize(screen.display()), rendererMode) << "left switched, as Wine leaves it";
    screen.restore();
    EXPECT_EQ(screenSize(screen.display()), screen.ownSize());
}

TEST_F(WindowsRenderer, EmptyFlakeFileShowsItsBoxAndTheShowGoesOnGrey)
{
    writeFlake({});  // and no floor file at all: a white floor, without a word
    WineScreen screen(prefix, 1280, 1024, true);
    Display* d = screen.display();
    renderer = prefix.start(rendererProgram, {}, screen.server().name(), {{"HOARVEIL_MESSAGE_LOG", messageLogPath}});
    const std::string message = "Error\tFailed to open DIB file c:\\k_varo\\Hoarveil2.bmp.\\n\n";
    ASSERT_TRUE(waitUntil([&] { return !loggedMessages().empty(); }, 30s)) << renderer->errorOutput();
    EXPECT_EQ(loggedMessages(), message);
    ::Window box = 0;
    ASSERT_TRUE(waitUntil([&] { return (box = findWindowByTitle(d, "Error")) != 0; }, 10s)) << "the box is up";
    const Screenshot withBox =
        settledScreenshot(screen, "message-box", [&](const Screenshot& s) { return boxDrawn(s, d, box); });
    EXPECT_TRUE(boxDrawn(withBox, d, box)) << "the box shows above the full-screen window";

    pressKey(d, "Return");
    EXPECT_TRUE(waitUntil([&] { return findWindowByTitle(d, "Error") == 0; }, 10s)) << "Enter closes the box";
    const Screenshot after = settledScreenshot(screen, "after-box", [](const Screenshot& s) {
        return skyPixelsOf(s, Tone::Grey) > 50 && isWhite(s.at(512, 740));
    });
    EXPECT_GT(skyPixelsOf(after, Tone::Grey), 50) << "grey, untextured flakes";
    EXPECT_TRUE(isWhite(after.at(512, 740))) << "a plain white floor";
    EXPECT_FALSE(renderer->waitForExit(0ms).has_value());
    pressKey(d, "Escape");
    EXPECT_EQ(renderer->waitForExit(20s), 0);
    EXPECT_EQ(loggedMessages(), message) << "one box only";
}

// A user copies one file: everything but the system's own DLLs is linked in.
TEST(WindowsRendererFile, IsA64BitGuiProgramImportingOnlySystemLibraries)
{
    const std::string headers = programHeaders(rendererProgram);
    ASSERT_NE(headers.find("Magic\t\t\t020b\t(PE32+)"), std::string::npos) << headers.substr(0, 2000);
    EXPECT_NE(headers.find("(Windows GUI)"), std::string::npos);

    const std::set<std::string> system = {"kernel32.dll", "user32.dll", "gdi32.dll", "opengl32.dll",
                                          "glu32.dll",    "winmm.dll",  "msvcrt.dll"};
    const std::set<std::string> imported = importedLibraries(headers);
    EXPECT_FALSE(imported.empty());
    for (const std::string& name : imported)
        EXPECT_TRUE(system.count(name)) << name << " is not one of Windows' own DLLs";
    EXPECT_TRUE(imported.count("opengl32.dll") && imported.count("glu32.dll"));
    // The display really switches: the real call, not a stand-in.
    EXPECT_NE(headers.find("ChangeDisplaySettingsA"), std::string::npos);
    // A screen saver leaves the display's power to the user's power plan.
    EXPECT_EQ(headers.find("SetThreadExecutionState"), std::string::npos);
}

}  // namespace
