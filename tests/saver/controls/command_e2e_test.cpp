// The push button on a form on a private X server, driven as a user drives it: real pointer
// motion, presses and keys through XTest, its faces read back from the screen. And the gallery
// program's six faces as they appear on screen.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <stdlib.h>

#include <chrono>
#include <string>

#include "saver/controls/command.h"
#include "saver/forms/form.h"
#include "saver/forms/runtime.h"
#include "tests/support/child_process.h"
#include "tests/support/toolkit_events.h"
#include "tests/support/x_user.h"
#include "tests/support/xserver.h"

using namespace testing_support;
using namespace std::chrono_literals;

namespace {

PrivateXServer& server()
{
    static PrivateXServer instance(640, 480);
    static const bool connected = [] {
        setenv("DISPLAY", instance.name().c_str(), 1);
        return forms::startForms();
    }();
    EXPECT_TRUE(connected);
    return instance;
}

Rgb pixelOnScreen(int x, int y)
{
    Display* display = server().display();
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return {};
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return {std::uint8_t(pixel >> 16), std::uint8_t(pixel >> 8), std::uint8_t(pixel)};
}

bool operator==(Rgb a, Rgb b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

// The third ring from the top tells the faces apart (HighLight and HighLightSelect are one).
enum class Look { Normal, HighLight, Selected, Pressed, Disable, Other };
Look lookAt(int left, int top, int width)
{
    const Rgb ring = pixelOnScreen(left + width / 2, top + 2);
    if (ring == Rgb{0xF3, 0xF3, 0xEE})
        return Look::Normal;
    if (ring == Rgb{0xFF, 0xF0, 0xCF})
        return Look::HighLight;
    if (ring == Rgb{0xCE, 0xE7, 0xFF})
        return Look::Selected;
    if (ring == Rgb{0x00, 0x3C, 0x74})
        return Look::Pressed;
    if (ring == Rgb{0xF5, 0xF4, 0xEA})
        return Look::Disable;
    return Look::Other;
}

class WatchedCommand : public Command {
public:
    using Command::Command;
    int state() const { return ButtonState; }
    bool held() const { return MouseHeld != 0; }
    int repaints() const { return faceRepaints; }
};

void pressButton(unsigned button, bool down)
{
    XTestFakeButtonEvent(server().display(), button, down, CurrentTime);
    XSync(server().display(), False);
}

// A form with two buttons at the dialog's sizes, at the top-left corner of the screen (there is
// no window manager), and a second window away from it.
class ButtonOnForm : public ::testing::Test {
protected:
    // Before the forms are made: they look at the display as they are made.
    static void SetUpTestSuite() { server(); }

    void SetUp() override
    {
        form.move(0, 0, 4500, 1500);
        first.move(300, 300, 1215, 375);
        second.move(2100, 300, 615, 375);
        for (WatchedCommand* button : {&first, &second}) {
            forms::PropertyBag stored;
            stored.writeProperty("Caption", std::string(button == &first ? "設定" : "..."), std::string("Command"));
            button->readProperties(stored);
            button->onClick = [this] { ++clicks; };
        }
        other.move(0, 3000, 3000, 1500);
        other.show();
        form.show();
        first.Initialize();
        second.Initialize();
        movePointer(server().display(), 600, 400);  // on the desktop
        ASSERT_TRUE(pumpUntil([&] { return lookAt(20, 20, 81) == Look::Normal && lookAt(140, 20, 41) == Look::Normal; }));
    }
    void TearDown() override
    {
        form.unload();
        other.unload();
    }

    forms::Form form{"Button test"};
    WatchedCommand first{form, "Cmd_Set"};
    WatchedCommand second{form, "Cmd_File"};
    forms::Form other{"Another window"};
    int clicks = 0;
    // Screen pixels of the first button's caption and of the second button.
    static constexpr int captionX = 60, captionY = 32, secondX = 160, secondY = 32;
};

}  // namespace

TEST_F(ButtonOnForm, MovingOntoTheButtonPaintsHighLightAtOnceAndLeavingBringsBackNormal)
{
    // The move itself paints: by the time the host hears of the move the state is 2.
    int stateSeenByMove = -1;
    forms::MouseEvent seen;
    first.onMouseMove = [&](const forms::MouseEvent& event) {
        stateSeenByMove = first.state();
        seen = event;
    };
    movePointer(server().display(), 25, 25);
    ASSERT_TRUE(pumpUntil([&] { return lookAt(20, 20, 81) == Look::HighLight; }));
    EXPECT_EQ(stateSeenByMove, 2);
    EXPECT_EQ(seen.x, 75);  // twips from the button's corner
    EXPECT_EQ(seen.y, 75);
    first.onMouseMove = nullptr;

    // Straight onto the desktop: no move reaches the form, the hover tick ends the look.
    movePointer(server().display(), 600, 400);
    ASSERT_TRUE(pumpUntil([&] { return lookAt(20, 20, 81) == Look::Normal; }, 2s));

    // Onto another window, and onto the form itself.
    movePointer(server().display(), 25, 25);
    ASSERT_TRUE(pumpUntil([&] { return lookAt(20, 20, 81) == Look::HighLight; }));
    movePointer(server().display(), 40, 220);
    ASSERT_TRUE(pumpUntil([&] { return lookAt(20, 20, 81) == Look::Normal; }, 2s));
    movePointer(server().display(), 25, 25);
    ASSERT_TRUE(pumpUntil([&] { return lookAt(20, 20, 81) == Look::HighLight; }));
    movePointer(server().display(), 10, 70);
    ASSERT_TRUE(pumpUntil([&] { return lookAt(20, 20, 81) == Look::Normal; }, 2s));
    EXPECT_EQ(first.state(), 1);
    // From the form straight onto the button: the crossing itself is the move.
    movePointer(server().display(), 25, 25);
    ASSERT_TRUE(pumpUntil([&] { return lookAt(20, 20, 81) == Look::HighLight; }));
}

TEST_F(ButtonOnForm, ThePointerOverTheCaptionKeepsThePointerOverLookAndTicksRepaintNothing)
{
    movePointer(server().display(), captionX, captionY);
    ASSERT_TRUE(pumpUntil([&] { return lookAt(20, 20, 81) == Look::HighLight; }));
    const int repaints = first.repaints();
    pumpFor(500ms);  // several hover ticks
    EXPECT_EQ(lookAt(20, 20, 81), Look::HighLight);
    EXPECT_EQ(first.state(), 2);
    EXPECT_EQ(first.repaints(), repaints);
}

TEST_F(ButtonOnForm, AClickOnTheCaptionRaisesClickOnceAndLeavesTheButtonFocused)
{
    movePointer(server().display(), captionX, captionY);
    ASSERT_TRUE(pumpUntil([&] { return first.state() == 2; }));
    pressButton(1, true);
    ASSERT_TRUE(pumpUntil([&] { return first.state() == 4 && first.held(); }));
    EXPECT_EQ(lookAt(20, 20, 81), Look::Pressed);
    pressButton(1, false);
    ASSERT_TRUE(pumpUntil([&] { return clicks == 1; }));
    ASSERT_TRUE(pumpUntil([&] { return lookAt(20, 20, 81) == Look::HighLight; }));
    pumpFor(100ms);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonOnForm, APressDraggedOffAndReleasedAfterATickDoesNotClick)
{
    movePointer(server().display(), 25, 25);
    ASSERT_TRUE(pumpUntil([&] { return first.state() == 2; }));
    pressButton(1, true);
    ASSERT_TRUE(pumpUntil([&] { return first.state() == 4; }));
    movePointer(server().display(), 600, 400);
    ASSERT_TRUE(pumpUntil([&] { return first.state() == 3; }, 2s));
    EXPECT_EQ(lookAt(20, 20, 81), Look::Selected);
    pressButton(1, false);
    ASSERT_TRUE(pumpUntil([&] { return !first.held(); }));
    pumpFor(100ms);
    EXPECT_EQ(clicks, 0);
}

TEST_F(ButtonOnForm, TabPaintsSelectedAndPressedWhenThePointerIsOver)
{
    Display* display = server().display();
    movePointer(display, 10, 70);  // over the form, not a button
    XSetInputFocus(display, form.hWnd(), RevertToPointerRoot, CurrentTime);
    XSync(display, False);
    ASSERT_TRUE(pumpUntil([] { return Fl::focus() != nullptr; }));
    // The program puts the focus on the first button; Tab takes it on to the second.
    first.setFocus();
    ASSERT_TRUE(pumpUntil([&] { return first.state() == 3; }));
    pressKey(display, "Tab");
    ASSERT_TRUE(pumpUntil([&] { return second.state() == 3 && first.state() == 1; }));
    ASSERT_TRUE(pumpUntil([&] { return lookAt(140, 20, 41) == Look::Selected && lookAt(20, 20, 81) == Look::Normal; }));

    // With the pointer over the first button, Tab brings the focus back to it: Pressed, state 4.
    movePointer(display, 25, 25);
    ASSERT_TRUE(pumpUntil([&] { return first.state() == 2; }));
    pressKey(display, "Tab");
    ASSERT_TRUE(pumpUntil([&] { return first.state() == 4; }));
    ASSERT_TRUE(pumpUntil([&] { return lookAt(20, 20, 81) == Look::Pressed; }));
    EXPECT_EQ(second.state(), 1);
    EXPECT_EQ(lookAt(140, 20, 41), Look::Normal);

    // Space and Enter do not click it.
    pressKey(display, "space");
    pressKey(display, "Return");
    pumpFor(200ms);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(first.state(), 4);
}

TEST_F(ButtonOnForm, ADisabledButtonIgnoresEverythingAndShowsDisableWithAGreyedCaption)
{
    first.setEnabled(false);
    ASSERT_TRUE(pumpUntil([&] { return lookAt(20, 20, 81) == Look::Disable; }));
    const int repaints = first.repaints();
    click(server().display(), captionX, captionY);
    movePointer(server().display(), 25, 25);
    pumpFor(300ms);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(first.repaints(), repaints);
    EXPECT_EQ(lookAt(20, 20, 81), Look::Disable);

    // The caption is drawn, and greyed: nothing in it is nearly black.
    int darkest = 255, textPixels = 0;
    for (int y = 24; y < 41; ++y)
        for (int x = 22; x < 99; ++x) {
            const Rgb p = pixelOnScreen(x, y);
            darkest = std::min<int>(darkest, p.r);
            textPixels += p.r < 200;
        }
    EXPECT_GT(textPixels, 10);
    EXPECT_GT(darkest, 60);

    first.setEnabled(true);
    ASSERT_TRUE(pumpUntil([&] { return lookAt(20, 20, 81) == Look::Normal; }));
}

TEST_F(ButtonOnForm, ATransparentButtonShowsOnlyItsCaption)
{
    first.setVisibleProperty(false);
    // The form's own colour where the rim was, the caption's text still there.
    ASSERT_TRUE(pumpUntil([&] { return pixelOnScreen(60, 22) == Rgb{240, 240, 240}; }));
    EXPECT_TRUE(pixelOnScreen(21, 30) == (Rgb{240, 240, 240}));
    int textPixels = 0;
    for (int y = 24; y < 41; ++y)
        for (int x = 22; x < 99; ++x)
            textPixels += pixelOnScreen(x, y).r < 100;
    EXPECT_GT(textPixels, 10);

    first.setVisibleProperty(true);
    ASSERT_TRUE(pumpUntil([&] { return lookAt(20, 20, 81) == Look::Normal; }));
}

TEST(ButtonGallery, ShowsTheSixFaces)
{
    PrivateXServer gallery(640, 480);
    ChildProcess program({std::string(HOARVEIL_PROGRAM_DIR) + "/tests/saver/controls/button_gallery"},
                         {{"DISPLAY", gallery.name()}});
    // The six buttons, 117 x 28 pixels, three to a row, 20 pixels apart; their third ring from
    // the top: normal, pointer over, focused, focused with the pointer over, pressed, disabled.
    auto thirdRing = [](const Screenshot& shot, int i) { return shot.at(20 + (i % 3) * 137 + 58, 20 + (i / 3) * 48 + 2); };
    const Rgb expected[] = {{0xF3, 0xF3, 0xEE}, {0xFF, 0xF0, 0xCF}, {0xCE, 0xE7, 0xFF},
                            {0xFF, 0xF0, 0xCF}, {0x00, 0x3C, 0x74}, {0xF5, 0xF4, 0xEA}};
    const Screenshot shot = screenshotWhen(gallery.display(), [&](const Screenshot& s) {
        for (int i = 0; i < 6; ++i)
            if (!(thirdRing(s, i) == expected[i]))
                return false;
        return true;
    });
    shot.save(std::string(HOARVEIL_PROGRAM_DIR) + "/tests/saver/controls/button_gallery.png");
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(thirdRing(shot, i) == expected[i]);
    }
}
