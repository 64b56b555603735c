// The settings dialog of the Windows build as a user meets it under Wine: `Hoarveil.scr /c` on
// a private X server, run from an install folder of its own, driven with real clicks and keys,
// and judged by what it shows, the settings file it leaves beside the program and what it
// hands the browser.
// GoogleTest before Xlib: Xlib's macros (None, Bool) would break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>

#include "tests/saver/settings/dialog_look.h"
#include "tests/support/file_text.h"
#include "tests/support/temp_folder.h"
#include "tests/support/wine.h"
#include "tests/support/x_user.h"

using namespace testing_support;
using namespace dialog_look;
namespace fs = std::filesystem;

namespace {

const std::string windowsBuild = HOARVEIL_WINDOWS_BUILD;
constexpr Spot addressLabel{40, 212};

// Text from one encoding to another; nothing when it doesn't convert.
std::optional<std::string> convert(const char* to, const char* from, std::string in)
{
    iconv_t converter = iconv_open(to, from);
    std::string out(in.size() * 3 + 1, '\0');
    char *source = in.data(), *target = out.data();
    std::size_t left = in.size(), room = out.size();
    const bool converted = iconv(converter, &source, &left, &target, &room) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    if (!converted)
        return std::nullopt;
    out.resize(out.size() - room);
    return out;
}

// The settings file as text: in Shift-JIS, as Japanese Windows writes it, with the line ends of
// Windows made plain; the raw bytes when they are not Shift-JIS.
std::string readSettings(const std::string& path)
{
    const std::string bytes = fileText(path);
    std::string result = convert("UTF-8", "CP932", bytes).value_or(bytes);
    result.erase(std::remove(result.begin(), result.end(), '\r'), result.end());
    return result;
}

bool same(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

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

class SettingsDialogOnWindows : public ::testing::Test {
protected:
    SettingsDialogOnWindows()
        : prefix(WinePrefix::current()), screen(prefix, 1024, 768, false), settingsFile(install.path() + "/Hoarveil.ini"),
          openedLog(install.path() + "/opened.txt")
    {
        for (const char* program : {"Hoarveil.scr", "Hoarveil.dll"})
            fs::copy_file(windowsBuild + "/" + program, install.path() + "/" + program);
        std::ofstream(install.path() + "/README.md") << "# Hoarveil\n";
    }

    Display* display() const { return screen.display(); }

    void writeSettings(const std::string& text)
    {
        std::ofstream(settingsFile, std::ios::binary) << convert("CP932", "UTF-8", text).value();
    }

    // Opens the dialog and waits until it shows its shading and its panel.
    void open()
    {
        saver = prefix.start(install.path() + "/Hoarveil.scr", {"/c"}, screen.server().name(), locale);
        ASSERT_TRUE(waitUntil([&] { return (window = findWindowByTitle(display(), "<Hoarveil>")) != 0; }, 30s))
            << saver->errorOutput();
        ASSERT_TRUE(waitUntil([&] {
            if (!viewable(display(), window))
                return false;
            findOrigin();
            const Screenshot shot = takeScreenshot(display());
            return near(shot.at(origin.x + 2, origin.y + 1), 0, 0, 30, 6) && at(shot, {300, 40}).r > 120;
        }, 20s)) << saver->errorOutput();
    }

    // The system draws the frame: the client area sits inside its border, under the caption.
    void findOrigin()
    {
        XWindowAttributes attributes{};
        XGetWindowAttributes(display(), window, &attributes);
        ::Window child;
        XTranslateCoordinates(display(), window, DefaultRootWindow(display()), 0, 0, &corner.x, &corner.y, &child);
        outer = {attributes.width, attributes.height};
        const int border = (attributes.width - dialogWidth) / 2;
        origin = {corner.x + border, corner.y + attributes.height - dialogHeight - border};
    }

    Rgb at(const Screenshot& shot, Spot spot) const { return shot.at(origin.x + spot.x, origin.y + spot.y); }
    Screenshot screenshot() const { return takeScreenshot(display()); }

    // Moves over the spot first, as a hand would, so that the buttons see the pointer arrive.
    void clickOnScreen(int x, int y)
    {
        movePointer(display(), x, y);
        waitUntil([] { return false; }, 150ms);
        click(display(), x, y);
    }
    void clickAt(Spot spot) { clickOnScreen(origin.x + spot.x, origin.y + spot.y); }

    void type(const std::string& text)
    {
        for (const char c : text) {
            const auto letter = static_cast<unsigned char>(c);
            if (std::isupper(letter))
                pressKey(display(), std::string(1, c), {"Shift_L"});
            else if (std::isalnum(letter))
                pressKey(display(), std::string(1, c));
            else if (c == '.')
                pressKey(display(), "period");
            else
                FAIL() << "no key for " << c;
        }
    }

    // A music folder with two files, the first of them the chosen music; the folder's path.
    std::string withMusicFolder()
    {
        const std::string music = install.path() + "/music";
        fs::create_directory(music);
        for (const char* name : {"first.mp3", "tune.mp3"})
            std::ofstream(music + "/" + name) << "x";
        writeSettings("[Section]\nBGM区分=2\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=" + windowsPath(music + "/first.mp3") + "\n");
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

    void expectClosed()
    {
        ASSERT_TRUE(saver->waitForExit(15s).has_value()) << "the dialog closes and the saver ends";
        EXPECT_EQ(findWindowByTitle(display(), "<Hoarveil>"), 0u);
    }

    TempFolder install;
    WinePrefix prefix;
    WineScreen screen;
    std::string settingsFile, openedLog;
    std::map<std::string, std::string> locale;  // the system's own unless a test picks one
    std::unique_ptr<ChildProcess> saver;
    ::Window window = 0;
    struct {
        int x = -1, y = -1;
    } corner, origin;
    struct {
        int width = 0, height = 0;
    } outer;
};

TEST_F(SettingsDialogOnWindows, StandsCentredWithItsShadingPanelButtonsAndJapaneseLabels)
{
    open();
    // The window as a whole, frame and caption included, stands where the dialog puts it.
    EXPECT_EQ(corner.x, (1024 - dialogWidth) / 2);
    EXPECT_EQ(corner.y, (768 - dialogHeight) / 3);
    EXPECT_GT(outer.height, dialogHeight) << "a caption above the client area";
    const Screenshot shot = screenshot();
    shot.save(::testing::TempDir() + "settings-dialog-win32.png");

    expectTheDialogsLook(shot, origin.x, origin.y);
    EXPECT_TRUE(near(shot.at(origin.x + 12, origin.y + 100), 0, 0, 0, 0)) << "the panel's frame";
}

TEST_F(SettingsDialogOnWindows, EachOptionMovesTheBulletAndEnablesItsControl)
{
    open();
    const auto chosen = [&](const Screenshot& shot, int source) { return dark(at(shot, optionImage[source])); };
    Screenshot shot = screenshot();
    EXPECT_TRUE(chosen(shot, 0)) << "no settings file: no music";
    EXPECT_FALSE(near(at(shot, comboText), 255, 255, 255, 0)) << "the combo box is disabled";
    const Rgb disabledButton = at(shot, {fileButton.x, fileButton.y - 8});

    clickAt(optionImage[1]);
    shot = screenshotWhen(display(), [&](const Screenshot& s) { return chosen(s, 1); }, 5s);
    EXPECT_FALSE(chosen(shot, 0));
    EXPECT_TRUE(near(at(shot, comboText), 255, 255, 255, 0)) << "the combo box is enabled with the audio CD";

    clickAt(optionLabel[2]);  // the label chooses as the bullet does
    shot = screenshotWhen(display(), [&](const Screenshot& s) { return chosen(s, 2); }, 5s);
    EXPECT_TRUE(chosen(shot, 2));
    EXPECT_FALSE(chosen(shot, 1));
    EXPECT_FALSE(near(at(shot, comboText), 255, 255, 255, 0)) << "the combo box is disabled again";
    shot = screenshotWhen(display(), [&](const Screenshot& s) {
        return !same(at(s, {fileButton.x, fileButton.y - 8}), disabledButton);
    }, 5s);
    EXPECT_FALSE(same(at(shot, {fileButton.x, fileButton.y - 8}), disabledButton))
        << "the file button is enabled with the music file";

    clickAt(optionImage[0]);
    shot = screenshotWhen(display(), [&](const Screenshot& s) { return chosen(s, 0); }, 5s);
    EXPECT_FALSE(chosen(shot, 2));
    pressKey(display(), "Escape");  // a form closes only by its buttons and close box
    EXPECT_FALSE(saver->waitForExit(500ms).has_value());
}

TEST_F(SettingsDialogOnWindows, TypedTrackAndSaveWriteTheIniBesideTheProgram)
{
    open();
    saveTrackSeven();
    EXPECT_EQ(readSettings(settingsFile), "[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=7\nBGMﾌｧｲﾙ=\n");
}

// A tap, or a tool's click: the pointer jumps onto the button and presses at once. Each such
// click counts.
TEST_F(SettingsDialogOnWindows, AClickStraightAfterThePointersJumpReachesTheButtonEveryTime)
{
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        const bool save = round % 2 == 0;
        fs::remove(settingsFile);
        open();
        clickAt(optionLabel[save ? 1 : 2]);
        const Spot button = save ? saveButton : cancelButton;
        click(display(), origin.x + button.x, origin.y + button.y);
        expectClosed();
        if (HasFatalFailure())
            return;
        const std::string saved = "[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=\n";
        EXPECT_EQ(readSettings(settingsFile), save ? saved : "");
    }
}

// The dialog has the keyboard when it opens, wherever the pointer is, and Tab goes round the
// controls that can take the focus.
TEST_F(SettingsDialogOnWindows, OpensWithTheFocusOnItsFirstControlAndTabGoesRoundTheEnabledOnes)
{
    withMusicFolder();
    const std::string settings = fileText(settingsFile);
    movePointer(display(), 5, 5);
    open();
    expectTabRoundTheButtons(display(), origin.x, origin.y);
    pressKey(display(), "space");
    pressKey(display(), "Return");
    EXPECT_FALSE(saver->waitForExit(500ms).has_value()) << "Space and Enter click no button";
    EXPECT_EQ(fileText(settingsFile), settings);
    expectTabOntoTheButtonUnderThePointerPressed(display(), origin.x, origin.y);
}

TEST_F(SettingsDialogOnWindows, WithTheAudioCdTabReachesTheTrackListAndPassesTheDisabledFileButton)
{
    writeSettings("[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=\n");
    open();
    typeTabbingRoundTheTrackList(display(), origin.x, origin.y);
    clickAt(saveButton);
    expectClosed();
    EXPECT_EQ(readSettings(settingsFile), "[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=2\nBGMﾌｧｲﾙ=\n");
}

// The open track list hangs below its field at the dialog's own height for it, whichever
// Common Controls draw it (version 6 would otherwise size it for 30 entries, up over the field).
TEST_F(SettingsDialogOnWindows, TheOpenTrackListHangsBelowItsFieldAtItsOwnHeight)
{
    writeSettings("[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=\n");
    open();
    const int fieldBottom = origin.y + comboText.y + 8, arrowX = origin.x + comboText.x + 27;
    clickOnScreen(arrowX, origin.y + comboText.y);
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
    SettingsDialogOnJapaneseWindows() { locale = prefix.japaneseLocale(); }
};

TEST_F(SettingsDialogOnJapaneseWindows, LooksTheSameAndSavesTheSameShiftJisFile)
{
    open();
    const Screenshot shot = screenshot();
    shot.save(::testing::TempDir() + "settings-dialog-win32-932.png");
    expectTheDialogsLook(shot, origin.x, origin.y);
    saveTrackSeven();
    EXPECT_EQ(readSettings(settingsFile), "[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=7\nBGMﾌｧｲﾙ=\n");
}

TEST_F(SettingsDialogOnWindows, CancelAndTheCloseBoxWriteNothing)
{
    const std::string before = "[Section]\nBGM区分=0\nBGMﾘﾋﾟｰﾄ=4\nBGMﾌｧｲﾙ=\n";
    writeSettings(before);
    open();
    clickAt(optionImage[1]);
    clickAt(cancelButton);
    expectClosed();
    EXPECT_EQ(fileText(settingsFile), convert("CP932", "UTF-8", before).value());

    open();
    clickAt(optionImage[2]);
    // The close box, at the right end of the caption.
    clickOnScreen(corner.x + outer.width - 15, corner.y + (outer.height - dialogHeight) / 2);
    expectClosed();
    EXPECT_EQ(fileText(settingsFile), convert("CP932", "UTF-8", before).value());
}

// Other programs find the dialog by its title (FindWindowA): a second start ends at once.
TEST_F(SettingsDialogOnWindows, ASecondConfigureEndsAtOnceWhileItIsOpen)
{
    open();
    const auto second = prefix.start(install.path() + "/Hoarveil.scr", {"/c"}, screen.server().name());
    EXPECT_TRUE(second->waitForExit(15s).has_value());
    EXPECT_EQ(findWindowsByTitle(display(), "<Hoarveil>").size(), 1u);
    EXPECT_TRUE(saver->running());
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
    EXPECT_EQ(readSettings(settingsFile),
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
    std::ofstream(install.path() + "/ﾃｽﾄ.mp3") << "x";
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
    EXPECT_EQ(readSettings(settingsFile), "[Section]\nBGM区分=2\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=\n");
}

TEST_F(SettingsDialogOnWindows, AddressLabelShowsTheHandAndReachesTheBrowser)
{
    // The browser Wine starts for what the shell opens: a script that notes what it was given;
    // the read-me opens in the browser, as a user's system may have it.
    const std::string browser = install.path() + "/browser.sh";
    std::ofstream(browser) << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" << openedLog << "'\n";
    fs::permissions(browser, fs::perms::owner_all);
    const std::string display = screen.server().name();
    for (const std::vector<std::string>& entry :
         {std::vector<std::string>{"HKCU\\Software\\Wine\\WineBrowser", "/v", "Browsers", "/d", browser},
          {"HKCR\\.md", "/ve", "/d", "mdfile"},
          {"HKCR\\mdfile\\shell\\open\\command", "/ve", "/d",
           "C:\\windows\\system32\\winebrowser.exe \"%1\""}}) {
        std::vector<std::string> arguments{"add"};
        arguments.insert(arguments.end(), entry.begin(), entry.end());
        arguments.push_back("/f");
        ASSERT_EQ(prefix.run("reg", arguments, display), 0);
    }

    open();
    // Over the label the pointer is the dialog's own hand, pointing with its finger tip.
    movePointer(this->display(), origin.x + addressLabel.x, origin.y + addressLabel.y);
    struct Pointer {
        int width = 0, height = 0, hotX = 0, hotY = 0;
        unsigned long tip = 0, corner = 0;
    } pointer;
    EXPECT_TRUE(waitUntil([&] {
        if (XFixesCursorImage* image = XFixesGetCursorImage(this->display())) {
            pointer = {image->width, image->height, image->xhot, image->yhot,
                       image->pixels[image->yhot * image->width + image->xhot], image->pixels[0]};
            XFree(image);
        }
        return pointer.hotX == 9 && pointer.hotY == 1;
    }));
    EXPECT_EQ(pointer.width, 32);
    EXPECT_EQ(pointer.height, 32);
    EXPECT_EQ(pointer.tip & 0xFF000000u, 0xFF000000u) << "the tip is drawn";
    EXPECT_EQ(pointer.corner & 0xFF000000u, 0u) << "around the hand it is see-through";

    clickAt(addressLabel);
    ASSERT_TRUE(waitUntil([&] { return !fileText(openedLog).empty(); }, 20s));
    EXPECT_EQ(fileText(openedLog), "file://" + install.path() + "/README.md\n");
    EXPECT_TRUE(saver->running()) << "the dialog stays open";
}

}  // namespace
