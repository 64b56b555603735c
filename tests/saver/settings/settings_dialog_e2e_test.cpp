// The settings dialog as a user meets it: `Hoarveil.scr /c` on a private X server, run from an
// install folder of its own with the settings file beside it, driven with real clicks and keys,
// and judged by what it shows, the settings file it leaves and the music of the next show.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <atomic>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>

#include "tests/saver/settings/dialog_flows.h"
#include "tests/saver/settings/dialog_look.h"
#include "tests/support/audio_tone.h"
#include "tests/support/child_process.h"
#include "tests/support/file_text.h"
#include "tests/support/temp_folder.h"
#include "tests/support/x_user.h"
#include "tests/support/xserver.h"

using namespace testing_support;
using namespace dialog_look;
namespace fs = std::filesystem;

namespace {

const std::string programFolder = HOARVEIL_PROGRAM_DIR;

// The Linux build in a folder of its own, on a private X server without a window manager, its
// desktop's opener a script that notes what it was given.
class LinuxDialog {
public:
    static constexpr const char* name = "linux";

    explicit LinuxDialog(int screenWidth = 1024, int screenHeight = 768)
        : server(screenWidth, screenHeight), openerLog(home.path() + "/opened.txt")
    {
        for (const char* program : {"Hoarveil.scr", "Hoarveil.dll"})
            fs::copy_file(programFolder + "/" + program, install.path() + "/" + program);
        fs::create_directory(home.path() + "/run");
        fs::permissions(home.path() + "/run", fs::perms::owner_all);
        fs::create_directory(home.path() + "/bin");
        std::ofstream(home.path() + "/bin/xdg-open") << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" << openerLog << "'\n";
        fs::permissions(home.path() + "/bin/xdg-open", fs::perms::owner_all);
    }

    Display* display() const { return server.display(); }
    std::string installed(const std::string& name) const { return install.path() + "/" + name; }
    std::string programPath(const std::string& path) const { return path; }
    void writeSettings(const std::string& text) const { std::ofstream(installed("Hoarveil.ini")) << text; }
    // Windows' line ends, which the settings file may have, made plain.
    std::string settings() const
    {
        std::string text = fileText(installed("Hoarveil.ini"));
        std::erase(text, '\r');
        return text;
    }

    std::unique_ptr<ChildProcess> start(const std::string& mode, const std::string& audioFile = "") const
    {
        return std::make_unique<ChildProcess>(std::vector<std::string>{installed("Hoarveil.scr"), mode},
                                              environment(audioFile));
    }

    // Nobody draws a frame: the window is its inner area.
    WindowPlace placeOf(::Window window) const
    {
        WindowPlace place;
        ::Window child;
        XTranslateCoordinates(display(), window, DefaultRootWindow(display()), 0, 0, &place.origin.x, &place.origin.y,
                              &child);
        XWindowAttributes attributes{};
        XGetWindowAttributes(display(), window, &attributes);
        place.corner = place.origin;
        place.outer = {attributes.width, attributes.height};
        return place;
    }
    void pressCloseBox(::Window window, const WindowPlace&) const { sendDeleteWindow(display(), window); }
    // The desktop's opener, a script, notes what it was given: the read-me's whole path.
    void expectReadMeOpenedAfterAClick() const {}
    bool readMeOpened() const { return fileText(openerLog) == installed("README.md") + "\n"; }

    TempFolder install, home;
    PrivateXServer server;
    std::string openerLog;

private:
    std::map<std::string, std::string> environment(const std::string& audioFile) const
    {
        return {{"DISPLAY", server.name()},
                {"HOME", home.path()},
                {"PATH", home.path() + "/bin:/usr/bin:/bin"},
                {"XDG_RUNTIME_DIR", home.path() + "/run"},
                {"XDG_CONFIG_HOME", home.path() + "/config"},
                {"SDL_AUDIODRIVER", "disk"},
                {"SDL_DISKAUDIOFILE", audioFile.empty() ? home.path() + "/sound.raw" : audioFile},
                {"HOARVEIL_CD_DEVICE", "/nonexistent/drive"}};
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Linux, DialogFlows, LinuxDialog);

// What only the Linux build has: its file chooser, its opener, its sound, window managers.
class SettingsDialog : public DialogFlows<LinuxDialog> {
protected:
    using DialogFlows::DialogFlows;

    Display* display() const { return system.display(); }
    const std::string& home() const { return system.home.path(); }
    const auto& origin() const { return place.origin; }

    // The file chooser: a path typed into it, then Enter.
    void choose(const std::string& path)
    {
        clickAt(fileButton);
        // The chooser has its title; the toolkit may keep an earlier one's window, hidden.
        ::Window chooser = 0;
        ASSERT_TRUE(waitUntil([&] {
            for (::Window candidate : findWindowsByTitle(display(), "ﾌｧｲﾙを開く"))
                if (viewable(display(), candidate))
                    chooser = candidate;
            return chooser != 0;
        }, 20s));
        // Without a window manager the keys go to the window under the pointer.
        ::Window child;
        int x = 0, y = 0;
        XTranslateCoordinates(display(), chooser, DefaultRootWindow(display()), 20, 20, &x, &y, &child);
        movePointer(display(), x, y);
        waitUntil([] { return false; }, 500ms);  // the chooser reads its folder
        type(path);
        pressKey(display(), "Return");
        ASSERT_TRUE(waitUntil([&] { return !viewable(display(), chooser); }, 10s));
    }
};

TEST_F(SettingsDialog, ChooserOpensInTheMusicFolderAndNextInTheChosenOnesFolder)
{
    const std::string music = system.install.path() + "/music", other = home() + "/other";
    fs::create_directory(music);
    fs::create_directory(other);
    std::ofstream(music + "/first.mp3") << "x";
    system.writeSettings("[Section]\nBGM区分=2\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=" + music + "/first.mp3\n");
    open();
    // A bare name lands in the folder the chooser opened in; the name need not exist.
    choose("second.mp3");
    clickAt(saveButton);
    expectClosed();
    EXPECT_EQ(system.settings(), "[Section]\nBGM区分=2\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=" + music + "/second.mp3\n");

    std::ofstream(music + "/second.mp3") << "x";
    open();
    choose(other + "/third.wav");
    choose("fourth.wav");
    clickAt(saveButton);
    expectClosed();
    EXPECT_EQ(system.settings(), "[Section]\nBGM区分=2\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=" + other + "/fourth.wav\n");
}

TEST_F(SettingsDialog, SavedMp3PlaysInTheNextShow)
{
    const std::string mp3 = home() + "/Snow Tune.mp3";
    ASSERT_TRUE(writeMp3(mp3, 523, 1.0));
    open();
    clickAt(optionImage[2]);
    choose(mp3);
    clickAt(saveButton);
    expectClosed();

    DiskAudioFile sound(home() + "/show.raw");
    auto show = system.start("/s", sound.path());
    ASSERT_TRUE(waitUntil([&] { return findWindowByTitle(display(), "Hoarveil_VC") != 0; }, 15s))
        << show->errorOutput();
    bool heard = false;
    for (int i = 0; i < 30 && !heard; ++i)
        heard = std::abs(dominantFrequency(sound.listen(100ms)) - 523) < 20;
    EXPECT_TRUE(heard) << "the tone of the saved file";
    pressKey(display(), "Escape");
    EXPECT_EQ(show->waitForExit(10s), 0) << show->errorOutput();
}

class SettingsDialogUnderAWindowManager : public SettingsDialog {
protected:
    void SetUp() override
    {
        if (::access(manager, X_OK) != 0)
            GTEST_SKIP() << "twm is not installed (scripts/install-deps installs it)";
        windowManager = std::make_unique<ChildProcess>(
            std::vector<std::string>{manager},
            std::map<std::string, std::string>{{"DISPLAY", system.server.name()}, {"LC_ALL", "C"}});
        waitUntil([] { return false; }, 500ms);
    }

    static constexpr const char* manager = "/usr/bin/twm";
    std::unique_ptr<ChildProcess> windowManager;
};

// The manager gives the keyboard to the window under the pointer; the dialog takes it all the
// same when it opens elsewhere.
TEST_F(SettingsDialogUnderAWindowManager, TakesTheKeyboardWhenItOpensAndTabMovesTheFocus)
{
    movePointer(display(), 5, 5);
    open();
    using enum Face;
    expectFaces(display(), origin().x, origin().y, {Disable, Selected, Normal}, "opened");
    pressKey(display(), "Tab");
    expectFaces(display(), origin().x, origin().y, {Disable, Normal, Selected}, "Tab");
}

// A window manager's part in placing the dialog, and no more: it says how wide a frame it would
// draw around a window that asks (_NET_REQUEST_FRAME_EXTENTS), as managers of the EWMH do.
class FrameTeller {
public:
    static constexpr long left = 6, right = 6, top = 30, bottom = 6;

    explicit FrameTeller(const std::string& displayName) : display(XOpenDisplay(displayName.c_str()))
    {
        const ::Window root = DefaultRootWindow(display);
        request = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
        XChangeProperty(display, root, XInternAtom(display, "_NET_SUPPORTED", False), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&request), 1);
        XSelectInput(display, root, SubstructureNotifyMask);
        XSync(display, False);
        answering = std::thread([this] { answer(); });
    }
    ~FrameTeller()
    {
        done = true;
        answering.join();
        XCloseDisplay(display);
    }

private:
    void answer()
    {
        const Atom extents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
        while (!done) {
            while (XPending(display)) {
                XEvent event;
                XNextEvent(display, &event);
                if (event.type != ClientMessage || event.xclient.message_type != request)
                    continue;
                const long frame[4] = {left, right, top, bottom};
                XChangeProperty(display, event.xclient.window, extents, XA_CARDINAL, 32, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(frame), 4);
                XFlush(display);
            }
            std::this_thread::sleep_for(5ms);
        }
    }

    Display* display;
    Atom request = 0;
    std::atomic<bool> done{false};
    std::thread answering;
};

// The dialog stands by its whole size, frame included, as on Windows: the manager places the
// frame's corner where the dialog asks.
TEST_F(SettingsDialog, PlacesItselfByTheSizeOfItsFrameWhereTheWindowManagerTellsIt)
{
    FrameTeller manager(system.server.name());
    open();
    EXPECT_EQ(origin().x, (1024 - (dialogWidth + FrameTeller::left + FrameTeller::right)) / 2);
    EXPECT_EQ(origin().y, (768 - (dialogHeight + FrameTeller::top + FrameTeller::bottom)) / 3);
}

class SettingsDialogOnASmallScreen : public SettingsDialog {
protected:
    SettingsDialogOnASmallScreen() : SettingsDialog(400, 200) {}
};

TEST_F(SettingsDialogOnASmallScreen, KeepsItsTopLeftCornerOnTheScreen)
{
    saver = system.start("/c");
    ASSERT_TRUE(waitUntil([&] { return (window = findWindowByTitle(display(), "<Hoarveil>")) != 0; }, 15s));
    ASSERT_TRUE(waitUntil([&] { return viewable(display(), window); }));
    place = system.placeOf(window);
    EXPECT_EQ(origin().x, 0);
    EXPECT_EQ(origin().y, 0);
}

}  // namespace
