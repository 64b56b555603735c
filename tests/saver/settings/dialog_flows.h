#pragma once
// The settings dialog's flows that both systems must get right, written once and run through
// each system's runner: the Linux build on a private X server (settings_dialog_e2e_test.cpp)
// and the Windows build under Wine (tests/windows/e2e/settings_dialog_win32_e2e_test.cpp).
//
// A runner (the System parameter) installs the programs in a folder of its own and gives:
//   Display* display();                        the X display the dialog shows on
//   std::string installed(name);               a file of the install folder, as a Linux path
//   std::string programPath(linuxPath);        that path as the programs spell it
//   void writeSettings(text);                  the settings file, from UTF-8 text, in the
//                                              encoding the system writes it in
//   std::string settings();                    the settings file as UTF-8 with plain line ends,
//                                              "" when there is none
//   std::unique_ptr<ChildProcess> start(mode); Hoarveil.scr with the switch
//   WindowPlace placeOf(window);               where the window and its inner area stand
//   void pressCloseBox(window, place);         the window's close box, as the system offers it
//   void expectReadMeOpenedAfterAClick();      ready to see the read-me opened
//   bool readMeOpened();                       whether the system has opened the read-me
//   static constexpr const char* name;         for the screenshots' file names
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cctype>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "tests/saver/settings/dialog_look.h"
#include "tests/support/child_process.h"
#include "tests/support/x_user.h"

namespace dialog_look {

using namespace std::chrono_literals;

// Where a dialog's window stands: the corner of its inner area, and the whole window with the
// frame the system draws (the same as the inner area where nobody draws one).
struct WindowPlace {
    struct {
        int x = -1, y = -1;
    } origin, corner;
    struct {
        int width = 0, height = 0;
    } outer;
};

template <typename System>
class DialogFlows : public ::testing::Test {
protected:
    template <typename... Arguments>
    explicit DialogFlows(Arguments&&... arguments) : system(std::forward<Arguments>(arguments)...)
    {
    }

    Display* display() { return system.display(); }

    // Opens the dialog and waits until it shows its shading and its panel.
    void open()
    {
        saver = system.start("/c");
        ASSERT_TRUE(testing_support::waitUntil(
            [&] { return (window = testing_support::findWindowByTitle(display(), "<Hoarveil>")) != 0; }, 30s))
            << saver->errorOutput();
        ASSERT_TRUE(testing_support::waitUntil([&] {
            if (!viewable(display(), window))
                return false;
            place = system.placeOf(window);
            const Screenshot shot = screenshot();
            return place.origin.x >= 0 && place.origin.y >= 0 &&
                   near(shot.at(place.origin.x + 2, place.origin.y + 1), 0, 0, 30, 6) && at(shot, {300, 40}).r > 120;
        }, 30s)) << saver->errorOutput();
    }

    Screenshot screenshot() { return testing_support::takeScreenshot(display()); }
    Rgb at(const Screenshot& shot, Spot spot) const { return shot.at(place.origin.x + spot.x, place.origin.y + spot.y); }
    Screenshot screenshotWhen(const std::function<bool(const Screenshot&)>& condition)
    {
        return testing_support::screenshotWhen(display(), condition, 5s);
    }

    // Moves over the spot first, as a hand would, so that the buttons see the pointer arrive.
    void clickOnScreen(int x, int y)
    {
        testing_support::movePointer(display(), x, y);
        testing_support::waitUntil([] { return false; }, 150ms);
        testing_support::click(display(), x, y);
    }
    void clickAt(Spot spot) { clickOnScreen(place.origin.x + spot.x, place.origin.y + spot.y); }

    void type(const std::string& text)
    {
        for (const char c : text) {
            const auto letter = static_cast<unsigned char>(c);
            const char* named = c == '/' ? "slash" : c == '.' ? "period" : c == '-' ? "minus" : c == ' ' ? "space" : nullptr;
            if (std::isupper(letter))
                testing_support::pressKey(display(), std::string(1, c), {"Shift_L"});
            else if (std::isalnum(letter))
                testing_support::pressKey(display(), std::string(1, c));
            else if (named)
                testing_support::pressKey(display(), named);
            else
                FAIL() << "no key for " << c;
        }
    }

    // The dialog ends the process when it closes.
    void expectClosed()
    {
        ASSERT_TRUE(saver->waitForExit(15s).has_value()) << "the dialog closes and the saver ends";
        EXPECT_EQ(testing_support::findWindowByTitle(display(), "<Hoarveil>"), 0u);
    }

    // A music file in the install folder, and settings that choose it.
    std::string withChosenMusicFile()
    {
        const std::string mp3 = system.installed("kept.mp3");
        std::ofstream(mp3) << "x";
        system.writeSettings("[Section]\nBGM区分=2\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=" + system.programPath(mp3) + "\n");
        return system.settings();
    }

    System system;
    std::unique_ptr<testing_support::ChildProcess> saver;
    ::Window window = 0;
    WindowPlace place;
};

TYPED_TEST_SUITE_P(DialogFlows);

TYPED_TEST_P(DialogFlows, StandsCentredWithItsShadingPanelButtonsAndJapaneseLabels)
{
    this->open();
    // The window as a whole, with any frame the system draws, stands centred and a third down.
    // It reckons in twips, 15 to the pixel here, and drops the remainder there.
    const auto offset = [](int free, int divisor) { return static_cast<int>(std::lround(free * 15 / divisor / 15.0)); };
    const WindowPlace& place = this->place;
    EXPECT_EQ(place.corner.x, offset(1024 - place.outer.width, 2));
    EXPECT_EQ(place.corner.y, offset(768 - place.outer.height, 3));
    const Screenshot shot = this->screenshot();
    shot.save(::testing::TempDir() + "settings-dialog-" + TypeParam::name + ".png");

    expectTheDialogsLook(shot, place.origin.x, place.origin.y);
    EXPECT_TRUE(near(this->at(shot, {12, 100}), 0, 0, 0, 0)) << "the panel's frame";
}

TYPED_TEST_P(DialogFlows, EachOptionMovesTheBulletAndEnablesItsControl)
{
    this->open();
    const auto chosen = [&](const Screenshot& shot, int source) { return dark(this->at(shot, optionImage[source])); };
    const auto same = [](Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; };
    Screenshot shot = this->screenshotWhen(
        [&](const Screenshot& s) { return chosen(s, 0) && !near(this->at(s, comboText), 255, 255, 255, 0); });
    EXPECT_TRUE(chosen(shot, 0)) << "no settings file: no music";
    EXPECT_FALSE(near(this->at(shot, comboText), 255, 255, 255, 0)) << "the combo box is disabled";
    const Rgb disabledButton = this->at(shot, {fileButton.x, fileButton.y - 8});

    this->clickAt(optionImage[1]);
    shot = this->screenshotWhen([&](const Screenshot& s) { return chosen(s, 1); });
    EXPECT_TRUE(chosen(shot, 1));
    EXPECT_FALSE(chosen(shot, 0));
    EXPECT_TRUE(near(this->at(shot, comboText), 255, 255, 255, 0)) << "the combo box is enabled with the audio CD";

    this->clickAt(optionLabel[2]);  // the label chooses as the bullet does
    shot = this->screenshotWhen([&](const Screenshot& s) { return chosen(s, 2); });
    EXPECT_TRUE(chosen(shot, 2));
    EXPECT_FALSE(chosen(shot, 1));
    EXPECT_FALSE(near(this->at(shot, comboText), 255, 255, 255, 0)) << "the combo box is disabled again";
    shot = this->screenshotWhen(
        [&](const Screenshot& s) { return !same(this->at(s, {fileButton.x, fileButton.y - 8}), disabledButton); });
    EXPECT_FALSE(same(this->at(shot, {fileButton.x, fileButton.y - 8}), disabledButton))
        << "the file button is enabled with the music file";

    this->clickAt(optionImage[0]);
    shot = this->screenshotWhen([&](const Screenshot& s) { return chosen(s, 0); });
    EXPECT_FALSE(chosen(shot, 2));
    testing_support::pressKey(this->display(), "Escape");  // a form closes only by its buttons and close box
    EXPECT_FALSE(this->saver->waitForExit(500ms).has_value());
}

TYPED_TEST_P(DialogFlows, TypedTrackAndSaveWriteTheThreeKeysInOrderBesideTheProgram)
{
    this->open();
    this->clickAt(optionImage[1]);
    ASSERT_TRUE(testing_support::waitUntil(
        [&] { return near(this->at(this->screenshot(), comboText), 255, 255, 255, 0); }));
    this->clickAt(comboText);
    this->type("7");
    this->clickAt(saveButton);
    this->expectClosed();
    EXPECT_EQ(this->system.settings(), "[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=7\nBGMﾌｧｲﾙ=\n");
}

// A tap, or a tool's click: the pointer jumps onto the button and presses at once, with no
// motion reported on its own before the press. Each such click counts.
TYPED_TEST_P(DialogFlows, AClickStraightAfterThePointersJumpReachesTheButtonEveryTime)
{
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        const bool save = round % 2 == 0;
        std::filesystem::remove(this->system.installed("Hoarveil.ini"));
        this->open();
        this->clickAt(optionLabel[save ? 1 : 2]);
        const Spot button = save ? saveButton : cancelButton;
        testing_support::click(this->display(), this->place.origin.x + button.x, this->place.origin.y + button.y);
        this->expectClosed();
        if (this->HasFatalFailure())
            return;
        const std::string saved = "[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=\n";
        EXPECT_EQ(this->system.settings(), save ? saved : "");
    }
}

// The dialog has the keyboard when it opens, wherever the pointer is (nobody hands it out
// without a window manager), and Tab goes round the controls that can take the focus.
TYPED_TEST_P(DialogFlows, OpensWithTheFocusOnItsFirstControlAndTabGoesRoundTheEnabledOnes)
{
    const std::string settings = this->withChosenMusicFile();
    testing_support::movePointer(this->display(), 5, 5);
    this->open();
    const auto& origin = this->place.origin;
    expectTabRoundTheButtons(this->display(), origin.x, origin.y);
    testing_support::pressKey(this->display(), "space");
    testing_support::pressKey(this->display(), "Return");
    EXPECT_FALSE(this->saver->waitForExit(500ms).has_value()) << "Space and Enter click no button";
    EXPECT_EQ(this->system.settings(), settings);
    expectTabOntoTheButtonUnderThePointerPressed(this->display(), origin.x, origin.y);
}

TYPED_TEST_P(DialogFlows, WithTheAudioCdTabReachesTheTrackListAndPassesTheDisabledFileButton)
{
    this->system.writeSettings("[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=\n");
    this->open();
    typeTabbingRoundTheTrackList(this->display(), this->place.origin.x, this->place.origin.y);
    this->clickAt(saveButton);
    this->expectClosed();
    EXPECT_EQ(this->system.settings(), "[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=2\nBGMﾌｧｲﾙ=\n");
}

TYPED_TEST_P(DialogFlows, OutOfRangeTrackIsSavedAsTheWholeDisc)
{
    this->system.writeSettings("[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=3\nBGMﾌｧｲﾙ=\n");
    this->open();
    this->clickAt(comboText);
    testing_support::pressKey(this->display(), "BackSpace");
    this->type("40000");
    this->clickAt(saveButton);
    this->expectClosed();
    EXPECT_EQ(this->system.settings(), "[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=0\nBGMﾌｧｲﾙ=\n");
}

TYPED_TEST_P(DialogFlows, HandEditedSourceShowsNoOptionAndIsSavedBack)
{
    const std::string mp3 = this->system.programPath(this->system.installed("kept.mp3"));
    std::ofstream(this->system.installed("kept.mp3")) << "x";
    const std::string settings = "[Section]\nBGM区分=5\nBGMﾘﾋﾟｰﾄ=12\nBGMﾌｧｲﾙ=" + mp3 + "\n";
    this->system.writeSettings(settings);
    this->open();
    // The controls take their state as the form loads: until then the system may show them as made.
    const auto showsNoChoice = [&](const Screenshot& shot) {
        for (int source = 0; source < 3; ++source)
            if (dark(this->at(shot, optionImage[source])))
                return false;
        return !near(this->at(shot, comboText), 255, 255, 255, 0);
    };
    const Screenshot shot = this->screenshotWhen(showsNoChoice);
    for (int source = 0; source < 3; ++source)
        EXPECT_FALSE(dark(this->at(shot, optionImage[source]))) << source;
    EXPECT_FALSE(near(this->at(shot, comboText), 255, 255, 255, 0)) << "the combo box is disabled";
    this->clickAt(saveButton);
    this->expectClosed();
    EXPECT_EQ(this->system.settings(), settings);
}

TYPED_TEST_P(DialogFlows, CancelAndTheCloseBoxWriteNothing)
{
    const std::string before = "[Section]\nBGM区分=0\nBGMﾘﾋﾟｰﾄ=4\nBGMﾌｧｲﾙ=\n";
    this->system.writeSettings(before);
    this->open();
    this->clickAt(optionImage[1]);
    this->clickAt(cancelButton);
    this->expectClosed();
    EXPECT_EQ(this->system.settings(), before);
    // The zoom back to the pointer leaves nothing behind: the screen is the empty root again.
    const Screenshot empty = this->screenshot();
    int lit = 0;
    for (int y = 0; y < empty.height(); y += 2)
        for (int x = 0; x < empty.width(); x += 2)
            lit += !near(empty.at(x, y), 0, 0, 0, 0);
    EXPECT_EQ(lit, 0);

    this->open();
    this->clickAt(optionImage[2]);
    this->system.pressCloseBox(this->window, this->place);
    this->expectClosed();
    EXPECT_EQ(this->system.settings(), before);
}

// Other programs find the dialog by its title: a second configuration, and a show, end at once.
TYPED_TEST_P(DialogFlows, SecondConfigureAndShowEndAtOnceWhileItIsOpen)
{
    this->open();
    for (const char* mode : {"/c", "/s"}) {
        auto other = this->system.start(mode);
        EXPECT_TRUE(other->waitForExit(15s).has_value()) << mode;
        EXPECT_EQ(testing_support::findWindowsByTitle(this->display(), "<Hoarveil>").size(), 1u) << mode;
        EXPECT_EQ(testing_support::findWindowByTitle(this->display(), "Hoarveil_VC"), 0u) << mode;
    }
    EXPECT_TRUE(this->saver->running());
}

// The label shows the read-me beside the programs; over it the pointer is the dialog's own
// hand, pointing with its finger tip; a click opens the read-me, as the system opens a file.
TYPED_TEST_P(DialogFlows, AddressLabelShowsTheHandAndOpensTheReadMe)
{
    this->system.expectReadMeOpenedAfterAClick();
    this->open();
    const auto& origin = this->place.origin;
    testing_support::movePointer(this->display(), origin.x + addressLabel.x, origin.y + addressLabel.y);
    struct Pointer {
        int width = 0, height = 0, hotX = 0, hotY = 0;
        unsigned long tip = 0, corner = 0;
    } pointer;
    EXPECT_TRUE(testing_support::waitUntil([&] {
        if (XFixesCursorImage* image = XFixesGetCursorImage(this->display())) {
            pointer = {image->width, image->height, image->xhot, image->yhot,
                       image->pixels[image->yhot * image->width + image->xhot], image->pixels[0]};
            XFree(image);
        }
        return pointer.width == 32 && pointer.hotX == 9 && pointer.hotY == 1;
    }));
    EXPECT_EQ(pointer.height, 32);
    EXPECT_EQ(pointer.tip & 0xFF000000u, 0xFF000000u) << "the tip is drawn";
    EXPECT_EQ(pointer.corner & 0xFF000000u, 0u) << "around the hand it is see-through";

    this->clickAt(addressLabel);
    EXPECT_TRUE(testing_support::waitUntil([&] { return this->system.readMeOpened(); }, 30s));
    EXPECT_TRUE(this->saver->running()) << "the dialog stays open";
}

REGISTER_TYPED_TEST_SUITE_P(DialogFlows, AddressLabelShowsTheHandAndOpensTheReadMe, StandsCentredWithItsShadingPanelButtonsAndJapaneseLabels,
                            EachOptionMovesTheBulletAndEnablesItsControl,
                            TypedTrackAndSaveWriteTheThreeKeysInOrderBesideTheProgram,
                            AClickStraightAfterThePointersJumpReachesTheButtonEveryTime,
                            OpensWithTheFocusOnItsFirstControlAndTabGoesRoundTheEnabledOnes,
                            WithTheAudioCdTabReachesTheTrackListAndPassesTheDisabledFileButton,
                            OutOfRangeTrackIsSavedAsTheWholeDisc, HandEditedSourceShowsNoOptionAndIsSavedBack,
                            CancelAndTheCloseBoxWriteNothing, SecondConfigureAndShowEndAtOnceWhileItIsOpen);

}  // namespace dialog_look
