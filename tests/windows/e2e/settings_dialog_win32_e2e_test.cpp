// The settings dialog of the Windows build as a user meets it under Wine: `Hoarveil.scr /c` on
// a private X server, run from an install folder of its own, driven with real clicks and keys,
// and judged by what it shows, the settings file it leaves beside the program and what it
// hands the browser.
// GoogleTest before Xlib: Xlib's macros (None, Bool) would break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>

#include "tests/saver/settings/dialog_flows.h"
#include "tests/saver/settings/dialog_look.h"
#include "tests/support/file_text.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_conversion.h"
#include "tests/support/wine.h"
#include "tests/support/x_user.h"

using namespace testing_support;
using namespace dialog_look;
namespace fs = std::filesystem;

namespace {

const std::string windowsBuild = HOARVEIL_WINDOWS_BUILD;

// The settings file as text: in Shift-JIS, as Japanese Windows writes it, with the line ends of
// Windows made plain; the raw bytes when they are not Shift-JIS.
std::string readSettings(const std::string& path)
{
    const std::string bytes = fileText(path);
    std::string result = convertText("UTF-8", "CP932", bytes).value_or(bytes);
    result.erase(std::remove(result.begin(), result.end(), '\r'), result.end());
    return result;
}


// A shown top-level window of a fair size other than the one given: a window the program
// opened over it (not one of the small lists the system keeps hidden).
::Window otherShownWindow(Display* display, ::Window besides)
{
    ::Window root, parent, *children = nullptr;
    unsigned count = 0;
    ::Window found = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes{};
        if (children[i] != besides && viewable(display, children[i]) &&
            XGetWindowAttributes(display, children[i], &attributes) && attributes.width > 300)
            found = children[i];
    }
    if (children)
        XFree(children);
    return found;
}

// The Windows path of a Linux path, on Wine's drive Z:.
std::string windowsPath(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

// The Windows build unpacked from its zip into a folder of its own, run under Wine on a
// private X server; the system draws the dialog's frame.
class WineDialog {
public:
    static constexpr const char* name = "win32";

    WineDialog() : prefix(WinePrefix::current()), screen(prefix, 1024, 768, false)
    {
        // What a user unpacks from the download: both programs and the read-me.
        commandOutput("cd '" + install.path() + "' && cmake -E tar xf '" + windowsBuild + "/Hoarveil-windows.zip'");
    }

    Display* display() { return screen.display(); }
    std::string installed(const std::string& name) const { return install.path() + "/" + name; }
    static std::string programPath(const std::string& path) { return windowsPath(path); }
    void writeSettings(const std::string& text) const
    {
        std::ofstream(installed("Hoarveil.ini"), std::ios::binary) << shiftJis(text).value();
    }
    std::string settings() const { return readSettings(installed("Hoarveil.ini")); }

    std::unique_ptr<ChildProcess> start(const std::string& mode)
    {
        return prefix.start(installed("Hoarveil.scr"), {mode}, screen.server().name(), locale);
    }

    // The client area sits inside the border, under the caption.
    WindowPlace placeOf(::Window window)
    {
        WindowPlace place;
        XWindowAttributes attributes{};
        XGetWindowAttributes(display(), window, &attributes);
        ::Window child;
        XTranslateCoordinates(display(), window, DefaultRootWindow(display()), 0, 0, &place.corner.x, &place.corner.y,
                              &child);
        place.outer = {attributes.width, attributes.height};
        const int border = (attributes.width - dialogWidth) / 2;
        place.origin = {place.corner.x + border, place.corner.y + attributes.height - dialogHeight - border};
        return place;
    }
    // At the right end of the caption.
    void pressCloseBox(::Window, const WindowPlace& place)
    {
        const int x = place.corner.x + place.outer.width - 15, y = place.corner.y + (place.outer.height - dialogHeight) / 2;
        movePointer(display(), x, y);
        waitUntil([] { return false; }, 150ms);
        click(display(), x, y);
    }

    // Windows opens text files with Notepad; a new Wine prefix has Notepad's file type but not
    // the extension's key that points at it.
    void expectReadMeOpenedAfterAClick()
    {
        ASSERT_EQ(prefix.run("reg", {"add", "HKCR\\.txt", "/ve", "/d", "txtfile", "/f"}, screen.server().name()), 0);
    }
    bool readMeOpened() { return findWindowByTitle(display(), "Hoarveil-ReadMe.txt - Notepad") != 0; }

    TempFolder install;
    WinePrefix prefix;
    WineScreen screen;
    std::map<std::string, std::string> locale;  // the system's own unless a test picks one
};

INSTANTIATE_TYPED_TEST_SUITE_P(Wine, DialogFlows, WineDialog);

// What only the Windows build has: the system's file chooser, its code pages, Notepad.
class SettingsDialogOnWindows : public DialogFlows<WineDialog> {
protected:
    const auto& origin() const { return place.origin; }
    std::string installPath() const { return system.install.path(); }
    std::string settingsFile() const { return system.installed("Hoarveil.ini"); }

    // A music folder with two files, the first of them the chosen music; the folder's path.
    std::string withMusicFolder()
    {
        const std::string music = installPath() + "/music";
        fs::create_directory(music);
        for (const char* name : {"first.mp3", "tune.mp3"})
            std::ofstream(music + "/" + name) << "x";
        system.writeSettings("[Section]\nBGM区分=2\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=" + windowsPath(music + "/first.mp3") + "\n");
        return music;
    }

    // The file button opens the chooser over the dialog.
    ::Window openChooser()
    {
        clickAt(fileButton);
        ::Window chooser = 0;
        waitUntil([&] { return (chooser = otherShownWindow(display(), window)) != 0; }, 30s);
        return chooser;
    }

    // The audio CD chosen, track 7 typed into the combo box, 設定 clicked.
    void saveTrackSeven()
    {
        clickAt(optionImage[1]);
        ASSERT_TRUE(waitUntil([&] { return near(at(screenshot(), comboText), 255, 255, 255, 0); }));
        clickAt(comboText);
        type("7");
        clickAt(saveButton);
        expectClosed();
    }
};

// The open track list hangs below its field at the dialog's own height for it, whichever
// Common Controls draw it (version 6 would otherwise size it for 30 entries, up over the field).
TEST_F(SettingsDialogOnWindows, TheOpenTrackListHangsBelowItsFieldAtItsOwnHeight)
{
    system.writeSettings("[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=\n");
    open();
    const int fieldBottom = origin().y + comboText.y + 8, arrowX = origin().x + comboText.x + 27;
    clickOnScreen(arrowX, origin().y + comboText.y);
    // The list is a window of its own, over the dialog, under the arrow.
    XWindowAttributes list{};
    const auto listShown = [&] {
        ::Window root, parent, *children = nullptr;
        unsigned count = 0;
        bool found = false;
        if (!XQueryTree(display(), DefaultRootWindow(display()), &root, &parent, &children, &count))
            return false;
        for (unsigned i = 0; i < count && !found; ++i)
            found = children[i] != window && viewable(display(), children[i]) &&
                    XGetWindowAttributes(display(), children[i], &list) && list.x <= arrowX &&
                    arrowX < list.x + list.width && list.width < 100;
        if (children)
            XFree(children);
        return found;
    };
    ASSERT_TRUE(waitUntil(listShown, 10s)) << "the list never opened";
    EXPECT_GE(list.y, fieldBottom) << "the list covers its field";
    EXPECT_LE(list.height, 170) << "taller than the dialog makes it";
    EXPECT_GE(list.height, 100) << "shows only a few entries";
}

// Under Japanese Windows' own code page the dialog looks the same and writes the same file.
class SettingsDialogOnJapaneseWindows : public SettingsDialogOnWindows {
protected:
    SettingsDialogOnJapaneseWindows() { system.locale = system.prefix.japaneseLocale(); }
};

TEST_F(SettingsDialogOnJapaneseWindows, LooksTheSameAndSavesTheSameShiftJisFile)
{
    open();
    const Screenshot shot = screenshot();
    shot.save(::testing::TempDir() + "settings-dialog-win32-932.png");
    expectTheDialogsLook(shot, origin().x, origin().y);
    saveTrackSeven();
    EXPECT_EQ(system.settings(), "[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=7\nBGMﾌｧｲﾙ=\n");
}

TEST_F(SettingsDialogOnWindows, TheFileChooserDrivenByKeysPicksTheMusicFile)
{
    const std::string music = withMusicFolder();
    open();
    const ::Window chooser = openChooser();
    ASSERT_NE(chooser, 0u);
    // Keys go to the focused window: the chooser has it once it has read its folder.
    ASSERT_TRUE(waitUntil([&] {
        ::Window focused = 0;
        int revert = 0;
        XGetInputFocus(display(), &focused, &revert);
        return focused != 0 && focused != PointerRoot;
    }));
    waitUntil([] { return false; }, 1s);
    type("tune.mp3");
    pressKey(display(), "Return");
    ASSERT_TRUE(waitUntil([&] { return !viewable(display(), chooser); }, 15s));
    clickAt(saveButton);
    expectClosed();
    EXPECT_EQ(system.settings(),
              "[Section]\nBGM区分=2\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=" + windowsPath(music + "/tune.mp3") + "\n");
}

TEST_F(SettingsDialogOnWindows, TheFileChoosersTitleReadsAsJapanese)
{
    withMusicFolder();
    open();
    const ::Window chooser = openChooser();
    ASSERT_NE(chooser, 0u);
    EXPECT_EQ(findWindowByTitle(display(), "ﾌｧｲﾙを開く"), chooser);
}

// Under code page 1252 the ANSI calls the settings file and the music go through can't name a
// file called ﾃｽﾄ.mp3: it is refused with a word, and nothing with '?' in it is saved.
TEST_F(SettingsDialogOnWindows, AMusicFileTheCodePageCantSpellIsRefusedWithAWord)
{
    std::ofstream(installPath() + "/ﾃｽﾄ.mp3") << "x";
    open();
    clickAt(optionImage[2]);
    const ::Window chooser = openChooser();
    ASSERT_NE(chooser, 0u);
    int x = 0, y = 0;
    ::Window child;
    XTranslateCoordinates(display(), chooser, DefaultRootWindow(display()), 0, 0, &x, &y, &child);
    waitUntil([] { return false; }, 1s);  // the folder read
    clickOnScreen(x + 49, y + 66);        // the only file in the list
    clickOnScreen(x + 374, y + 212);      // Open
    ::Window box = 0;
    ASSERT_TRUE(waitUntil([&] { return (box = findWindowByTitle(display(), "Hoarveil")) != 0; }, 15s));
    pressKey(display(), "Return");
    ASSERT_TRUE(waitUntil([&] { return !viewable(display(), box); }, 10s));

    clickAt(saveButton);
    expectClosed();
    EXPECT_EQ(system.settings(), "[Section]\nBGM区分=2\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=\n");
}

}  // namespace
