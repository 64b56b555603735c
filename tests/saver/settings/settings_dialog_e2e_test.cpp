// The settings dialog as a user meets it: `Hoarveil.scr /c` on a private X server, run from an
// install folder of its own with the settings file beside it, driven with real clicks and keys,
// and judged by what it shows, the settings file it leaves and the music of the next show.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

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
constexpr Spot addressLabel{40, 214};

// A file's text, with Windows' line ends, which the settings file may have, made plain.
std::string fileTextWithPlainLineEnds(const std::string& path)
{
    std::string text = fileText(path);
    std::erase(text, '\r');
    return text;
}

class SettingsDialog : public ::testing::Test {
protected:
    explicit SettingsDialog(int screenWidth = 1024, int screenHeight = 768)
        : server(screenWidth, screenHeight), settingsFile(install.path() + "/Hoarveil.ini"),
          openerLog(home.path() + "/opened.txt")
    {
        for (const char* program : {"Hoarveil.scr", "Hoarveil.dll"})
            fs::copy_file(programFolder + "/" + program, install.path() + "/" + program);
        fs::create_directory(home.path() + "/run");
        fs::permissions(home.path() + "/run", fs::perms::owner_all);
        // The desktop's opener, as the dialog finds it on PATH: it notes what it was given.
        fs::create_directory(home.path() + "/bin");
        std::ofstream(home.path() + "/bin/xdg-open") << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" << openerLog << "'\n";
        fs::permissions(home.path() + "/bin/xdg-open", fs::perms::owner_all);
    }

    std::map<std::string, std::string> environment(const std::string& audioFile = "") const
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

    void writeSettings(const std::string& text) { std::ofstream(settingsFile) << text; }

    std::unique_ptr<ChildProcess> run(const std::string& mode, const std::string& audioFile = "")
    {
        return std::make_unique<ChildProcess>(std::vector<std::string>{install.path() + "/Hoarveil.scr", mode},
                                              environment(audioFile));
    }

    // Opens the dialog and waits until it shows its shading and its panel.
    void open()
    {
        saver = run("/c");
        ASSERT_TRUE(waitUntil([&] { return (window = findWindowByTitle(server.display(), "<Hoarveil>")) != 0; }, 15s))
            << saver->errorOutput();
        ASSERT_TRUE(waitUntil([&] {
            const ::Window root = DefaultRootWindow(server.display());
            ::Window child;
            XTranslateCoordinates(server.display(), window, root, 0, 0, &origin.x, &origin.y, &child);
            const Screenshot shot = takeScreenshot(server.display());
            return origin.x >= 0 && origin.y >= 0 && near(shot.at(origin.x + 2, origin.y + 1), 0, 0, 30, 6) &&
                   at(shot, {300, 40}).r > 120;
        }, 15s)) << saver->errorOutput();
    }

    Rgb at(const Screenshot& shot, Spot spot) const { return shot.at(origin.x + spot.x, origin.y + spot.y); }
    Screenshot screenshot() const { return takeScreenshot(server.display()); }

    // Moves over the spot first, as a hand would, so that the buttons see the pointer arrive.
    void clickAt(Spot spot)
    {
        movePointer(server.display(), origin.x + spot.x, origin.y + spot.y);
        waitUntil([] { return false; }, 150ms);
        click(server.display(), origin.x + spot.x, origin.y + spot.y);
    }

    void type(const std::string& text)
    {
        for (const char c : text) {
            const auto letter = static_cast<unsigned char>(c);
            if (std::isupper(letter))
                pressKey(server.display(), std::string(1, c), {"Shift_L"});
            else if (std::isalnum(letter))
                pressKey(server.display(), std::string(1, c));
            else if (c == '/')
                pressKey(server.display(), "slash");
            else if (c == '.')
                pressKey(server.display(), "period");
            else if (c == '-')
                pressKey(server.display(), "minus");
            else if (c == ' ')
                pressKey(server.display(), "space");
            else
                FAIL() << "no key for " << c;
        }
    }

    // The dialog ends the process when it closes.
    void expectClosed()
    {
        ASSERT_TRUE(saver->waitForExit(10s).has_value()) << "the dialog closes and the saver ends";
        EXPECT_EQ(findWindowByTitle(server.display(), "<Hoarveil>"), 0u);
    }

    // The file chooser: a path typed into it, then Enter.
    void choose(const std::string& path)
    {
        clickAt(fileButton);
        // The chooser has its title; the toolkit may keep an earlier one's window, hidden.
        ::Window chooser = 0;
        ASSERT_TRUE(waitUntil([&] {
            for (::Window candidate : findWindowsByTitle(server.display(), "ﾌｧｲﾙを開く"))
                if (viewable(server.display(), candidate))
                    chooser = candidate;
            return chooser != 0;
        }, 20s));
        // Without a window manager the keys go to the window under the pointer.
        ::Window child;
        int x = 0, y = 0;
        XTranslateCoordinates(server.display(), chooser, DefaultRootWindow(server.display()), 20, 20, &x, &y, &child);
        movePointer(server.display(), x, y);
        waitUntil([] { return false; }, 500ms);  // the chooser reads its folder
        type(path);
        pressKey(server.display(), "Return");
        ASSERT_TRUE(waitUntil([&] { return !viewable(server.display(), chooser); }, 10s));
    }

    TempFolder install, home;
    PrivateXServer server;
    std::string settingsFile, openerLog;
    std::unique_ptr<ChildProcess> saver;
    ::Window window = 0;
    struct {
        int x = -1, y = -1;
    } origin;
};

TEST_F(SettingsDialog, StandsCentredWithItsShadingPanelButtonsAndJapaneseLabels)
{
    open();
    EXPECT_EQ(origin.x, (1024 - dialogWidth) / 2);
    EXPECT_EQ(origin.y, (768 - dialogHeight) / 3);
    const Screenshot shot = screenshot();
    shot.save(::testing::TempDir() + "settings-dialog.png");

    expectTheDialogsLook(shot, origin.x, origin.y);
}

TEST_F(SettingsDialog, EachOptionMovesTheBulletAndEnablesItsControl)
{
    open();
    const auto chosen = [&](const Screenshot& shot, int source) { return dark(at(shot, optionImage[source])); };
    Screenshot shot = screenshot();
    EXPECT_TRUE(chosen(shot, 0)) << "no settings file: no music";
    EXPECT_FALSE(near(at(shot, comboText), 255, 255, 255, 0)) << "the combo box is disabled";
    const Rgb disabledButton = at(shot, {fileButton.x, fileButton.y - 8});

    clickAt(optionImage[1]);
    shot = screenshotWhen(server.display(), [&](const Screenshot& s) { return chosen(s, 1); }, 5s);
    EXPECT_TRUE(chosen(shot, 1));
    EXPECT_FALSE(chosen(shot, 0));
    EXPECT_TRUE(near(at(shot, comboText), 255, 255, 255, 0)) << "the combo box is enabled with the audio CD";

    clickAt(optionLabel[2]);  // the label chooses as the bullet does
    shot = screenshotWhen(server.display(), [&](const Screenshot& s) { return chosen(s, 2); }, 5s);
    EXPECT_TRUE(chosen(shot, 2));
    EXPECT_FALSE(chosen(shot, 1));
    EXPECT_FALSE(near(at(shot, comboText), 255, 255, 255, 0)) << "the combo box is disabled again";
    shot = screenshotWhen(server.display(), [&](const Screenshot& s) {
        const Rgb face = at(s, {fileButton.x, fileButton.y - 8});
        return face.r != disabledButton.r || face.g != disabledButton.g || face.b != disabledButton.b;
    }, 5s);
    const Rgb enabledButton = at(shot, {fileButton.x, fileButton.y - 8});
    EXPECT_FALSE(enabledButton.r == disabledButton.r && enabledButton.b == disabledButton.b)
        << "the file button is enabled with the music file";

    clickAt(optionImage[0]);
    shot = screenshotWhen(server.display(), [&](const Screenshot& s) { return chosen(s, 0); }, 5s);
    EXPECT_FALSE(chosen(shot, 2));
    pressKey(server.display(), "Escape");  // a form closes only by its buttons and close box
    EXPECT_FALSE(saver->waitForExit(300ms).has_value());
}

TEST_F(SettingsDialog, TypedTrackAndSaveWriteTheThreeKeysInOrder)
{
    open();
    clickAt(optionImage[1]);
    ASSERT_TRUE(waitUntil([&] { return near(at(screenshot(), comboText), 255, 255, 255, 0); }));
    clickAt(comboText);
    type("7");
    clickAt(saveButton);
    expectClosed();
    EXPECT_EQ(fileTextWithPlainLineEnds(settingsFile), "[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=7\nBGMﾌｧｲﾙ=\n");
}

// A tap, or a tool's click: the pointer jumps onto the button and presses at once, with no
// motion reported on its own before the press. Each such click counts.
TEST_F(SettingsDialog, AClickStraightAfterThePointersJumpReachesTheButtonEveryTime)
{
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        const bool save = round % 2 == 0;
        fs::remove(settingsFile);
        open();
        clickAt(optionLabel[save ? 1 : 2]);
        const Spot button = save ? saveButton : cancelButton;
        click(server.display(), origin.x + button.x, origin.y + button.y);
        expectClosed();
        if (HasFatalFailure())
            return;
        const std::string saved = "[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=\n";
        EXPECT_EQ(fileTextWithPlainLineEnds(settingsFile), save ? saved : "");
    }
}

// Nobody hands out the keyboard without a window manager: the dialog takes it when it opens,
// wherever the pointer is, and Tab goes round the controls that can take the focus.
TEST_F(SettingsDialog, OpensWithTheFocusOnItsFirstControlAndTabGoesRoundTheEnabledOnes)
{
    const std::string mp3 = install.path() + "/kept.mp3";
    std::ofstream(mp3) << "x";
    const std::string settings = "[Section]\nBGM区分=2\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=" + mp3 + "\n";
    writeSettings(settings);
    movePointer(server.display(), 5, 5);
    open();
    expectTabRoundTheButtons(server.display(), origin.x, origin.y);
    pressKey(server.display(), "space");
    pressKey(server.display(), "Return");
    EXPECT_FALSE(saver->waitForExit(300ms).has_value()) << "Space and Enter click no button";
    EXPECT_EQ(fileTextWithPlainLineEnds(settingsFile), settings);
    expectTabOntoTheButtonUnderThePointerPressed(server.display(), origin.x, origin.y);
}

TEST_F(SettingsDialog, WithTheAudioCdTabReachesTheTrackListAndPassesTheDisabledFileButton)
{
    writeSettings("[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=\n");
    open();
    typeTabbingRoundTheTrackList(server.display(), origin.x, origin.y);
    clickAt(saveButton);
    expectClosed();
    EXPECT_EQ(fileTextWithPlainLineEnds(settingsFile), "[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=2\nBGMﾌｧｲﾙ=\n");
}

TEST_F(SettingsDialog, OutOfRangeTrackIsSavedAsTheWholeDisc)
{
    writeSettings("[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=3\nBGMﾌｧｲﾙ=\n");
    open();
    clickAt(comboText);
    pressKey(server.display(), "BackSpace");
    type("40000");
    clickAt(saveButton);
    expectClosed();
    EXPECT_EQ(fileTextWithPlainLineEnds(settingsFile), "[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=\n");
}

TEST_F(SettingsDialog, HandEditedSourceShowsNoOptionAndIsSavedBack)
{
    const std::string mp3 = install.path() + "/kept.mp3";
    std::ofstream(mp3) << "x";
    writeSettings("[Section]\nBGM区分=5\nBGMﾘﾋﾟｰﾄ=12\nBGMﾌｧｲﾙ=" + mp3 + "\n");
    open();
    const Screenshot shot = screenshot();
    for (int source = 0; source < 3; ++source)
        EXPECT_FALSE(dark(at(shot, optionImage[source]))) << source;
    EXPECT_FALSE(near(at(shot, comboText), 255, 255, 255, 0));
    clickAt(saveButton);
    expectClosed();
    EXPECT_EQ(fileTextWithPlainLineEnds(settingsFile), "[Section]\nBGM区分=5\nBGMﾘﾋﾟｰﾄ=12\nBGMﾌｧｲﾙ=" + mp3 + "\n");
}

TEST_F(SettingsDialog, CancelAndTheCloseBoxWriteNothing)
{
    const std::string before = "[Section]\nBGM区分=0\nBGMﾘﾋﾟｰﾄ=4\nBGMﾌｧｲﾙ=\n";
    writeSettings(before);
    open();
    clickAt(optionImage[1]);
    clickAt(cancelButton);
    expectClosed();
    EXPECT_EQ(fileTextWithPlainLineEnds(settingsFile), before);
    // The zoom back to the pointer leaves nothing behind: the screen is the empty root again.
    const Screenshot empty = screenshot();
    int lit = 0;
    for (int y = 0; y < empty.height(); y += 2)
        for (int x = 0; x < empty.width(); x += 2)
            lit += !near(empty.at(x, y), 0, 0, 0, 0);
    EXPECT_EQ(lit, 0);

    open();
    clickAt(optionImage[2]);
    sendDeleteWindow(server.display(), window);
    expectClosed();
    EXPECT_EQ(fileTextWithPlainLineEnds(settingsFile), before);
}

TEST_F(SettingsDialog, ChooserOpensInTheMusicFolderAndNextInTheChosenOnesFolder)
{
    const std::string music = install.path() + "/music", other = home.path() + "/other";
    fs::create_directory(music);
    fs::create_directory(other);
    std::ofstream(music + "/first.mp3") << "x";
    writeSettings("[Section]\nBGM区分=2\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=" + music + "/first.mp3\n");
    open();
    // A bare name lands in the folder the chooser opened in; the name need not exist.
    choose("second.mp3");
    clickAt(saveButton);
    expectClosed();
    EXPECT_EQ(fileTextWithPlainLineEnds(settingsFile), "[Section]\nBGM区分=2\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=" + music + "/second.mp3\n");

    std::ofstream(music + "/second.mp3") << "x";
    open();
    choose(other + "/third.wav");
    choose("fourth.wav");
    clickAt(saveButton);
    expectClosed();
    EXPECT_EQ(fileTextWithPlainLineEnds(settingsFile), "[Section]\nBGM区分=2\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=" + other + "/fourth.wav\n");
}

TEST_F(SettingsDialog, AddressLabelHandsTheAddressToTheDesktopsOpener)
{
    open();
    // Over the label the pointer is the dialog's own hand, pointing with its finger tip.
    movePointer(server.display(), origin.x + addressLabel.x, origin.y + addressLabel.y);
    struct Pointer {
        int width = 0, height = 0, hotX = 0, hotY = 0;
        unsigned long tip = 0, corner = 0;
    } pointer;
    EXPECT_TRUE(waitUntil([&] {
        if (XFixesCursorImage* image = XFixesGetCursorImage(server.display())) {
            pointer = {image->width, image->height, image->xhot, image->yhot,
                       image->pixels[image->yhot * image->width + image->xhot], image->pixels[0]};
            XFree(image);
        }
        return pointer.width == 32;
    }));
    EXPECT_EQ(pointer.height, 32);
    EXPECT_EQ(pointer.hotX, 9);
    EXPECT_EQ(pointer.hotY, 1);
    EXPECT_EQ(pointer.tip & 0xFF000000u, 0xFF000000u) << "the tip is drawn";
    EXPECT_EQ(pointer.corner & 0xFF000000u, 0u) << "around the hand it is see-through";

    clickAt(addressLabel);
    ASSERT_TRUE(waitUntil([&] { return !fileTextWithPlainLineEnds(openerLog).empty(); }, 10s));
    EXPECT_EQ(fileTextWithPlainLineEnds(openerLog), "file://" + install.path() + "/README.md\n");
    EXPECT_TRUE(saver->running()) << "the dialog stays open";
}

TEST_F(SettingsDialog, SecondConfigureAndShowEndAtOnceWhileItIsOpen)
{
    open();
    for (const char* mode : {"/c", "/s"}) {
        auto other = run(mode);
        EXPECT_TRUE(other->waitForExit(10s).has_value()) << mode;
        EXPECT_EQ(findWindowsByTitle(server.display(), "<Hoarveil>").size(), 1u) << mode;
        EXPECT_EQ(findWindowByTitle(server.display(), "Hoarveil_VC"), 0u) << mode;
    }
    EXPECT_TRUE(saver->running());
}

TEST_F(SettingsDialog, SavedMp3PlaysInTheNextShow)
{
    const std::string mp3 = home.path() + "/Snow Tune.mp3";
    ASSERT_TRUE(writeMp3(mp3, 523, 1.0));
    open();
    clickAt(optionImage[2]);
    choose(mp3);
    clickAt(saveButton);
    expectClosed();

    DiskAudioFile sound(home.path() + "/show.raw");
    auto show = run("/s", sound.path());
    ASSERT_TRUE(waitUntil([&] { return findWindowByTitle(server.display(), "Hoarveil_VC") != 0; }, 15s))
        << show->errorOutput();
    bool heard = false;
    for (int i = 0; i < 30 && !heard; ++i)
        heard = std::abs(dominantFrequency(sound.listen(100ms)) - 523) < 20;
    EXPECT_TRUE(heard) << "the tone of the saved file";
    pressKey(server.display(), "Escape");
    EXPECT_EQ(show->waitForExit(10s), 0) << show->errorOutput();
}

class SettingsDialogUnderAWindowManager : public SettingsDialog {
protected:
    void SetUp() override
    {
        if (::access(manager, X_OK) != 0)
            GTEST_SKIP() << "twm is not installed (scripts/install-deps installs it)";
        windowManager = std::make_unique<ChildProcess>(std::vector<std::string>{manager},
                                                       std::map<std::string, std::string>{{"DISPLAY", server.name()},
                                                                                          {"LC_ALL", "C"}});
        waitUntil([] { return false; }, 500ms);
    }

    static constexpr const char* manager = "/usr/bin/twm";
    std::unique_ptr<ChildProcess> windowManager;
};

// The manager gives the keyboard to the window under the pointer; the dialog takes it all the
// same when it opens elsewhere.
TEST_F(SettingsDialogUnderAWindowManager, TakesTheKeyboardWhenItOpensAndTabMovesTheFocus)
{
    movePointer(server.display(), 5, 5);
    open();
    using enum Face;
    expectFaces(server.display(), origin.x, origin.y, {Disable, Selected, Normal}, "opened");
    pressKey(server.display(), "Tab");
    expectFaces(server.display(), origin.x, origin.y, {Disable, Normal, Selected}, "Tab");
}

class SettingsDialogOnASmallScreen : public SettingsDialog {
protected:
    SettingsDialogOnASmallScreen() : SettingsDialog(400, 200) {}
};

TEST_F(SettingsDialogOnASmallScreen, KeepsItsTopLeftCornerOnTheScreen)
{
    saver = run("/c");
    ASSERT_TRUE(waitUntil([&] { return (window = findWindowByTitle(server.display(), "<Hoarveil>")) != 0; }, 15s));
    ASSERT_TRUE(waitUntil([&] { return viewable(server.display(), window); }));
    ::Window child;
    XTranslateCoordinates(server.display(), window, DefaultRootWindow(server.display()), 0, 0, &origin.x, &origin.y,
                          &child);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
}

}  // namespace
