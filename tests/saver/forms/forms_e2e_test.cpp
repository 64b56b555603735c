// Forms on a private X server, in this process: a loaded form has its window before it is
// shown, handlers run in their order, a window destroyed by another program unloads its form,
// timers tick one at a time, and what is drawn into a picture box is what is shown and saved.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <stdlib.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/zoom_animation.h"
#include "saver/forms/combo_box.h"
#include "saver/forms/form.h"
#include "saver/forms/label.h"
#include "saver/forms/picture_box.h"
#include "saver/forms/runtime.h"
#include "saver/forms/screen.h"
#include "saver/forms/timer.h"
#include "saver/forms/user_control.h"
#include "tests/support/toolkit_events.h"
#include "tests/support/x_user.h"
#include "tests/support/xserver.h"

using namespace testing_support;

namespace {

// One server for the process: the forms runtime keeps its one connection.
PrivateXServer& server()
{
    static PrivateXServer instance;
    static const bool connected = [] {
        setenv("DISPLAY", instance.name().c_str(), 1);
        return forms::startForms();
    }();
    EXPECT_TRUE(connected);
    return instance;
}

int mapState(::Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(server().display(), window, &attributes))
        return -1;
    return attributes.map_state;
}

// Every test starts with the server up and the forms runtime on it, before any form is made.
class Forms : public ::testing::Test {
protected:
    void SetUp() override { server(); }
};

class RecordingForm : public forms::Form {
public:
    explicit RecordingForm(std::string caption) : Form(std::move(caption)) {}

    std::vector<std::string> events;
    int cancelQueryUnload = 0;
    forms::UnloadMode lastMode = forms::UnloadMode::FormCode;

protected:
    void Form_Load() override { events.push_back("load"); }
    void Form_QueryUnload(int& cancel, forms::UnloadMode mode) override
    {
        events.push_back("query-unload");
        lastMode = mode;
        cancel = cancelQueryUnload;
    }
    void Form_Unload(int&) override { events.push_back("unload"); }
    void Form_Resize() override { events.push_back("resize"); }
};

}  // namespace

TEST_F(Forms, ALoadedFormHasAHiddenWindowFoundByItsCaption)
{
    Display* display = server().display();
    RecordingForm form("Forms test: hidden");
    EXPECT_EQ(form.hWnd(), 0u);
    form.load();
    ASSERT_TRUE(form.loaded());
    const ::Window window = findWindowByTitle(display, "Forms test: hidden");
    ASSERT_NE(window, 0u);
    EXPECT_EQ(window, form.hWnd());
    EXPECT_EQ(mapState(window), IsUnmapped);
    EXPECT_EQ(form.events, std::vector<std::string>{"load"});
    EXPECT_EQ(forms::loadedForms().size(), 1u);

    form.setCaption("Forms test: renamed");
    XSync(display, False);
    EXPECT_EQ(findWindowByTitle(display, "Forms test: renamed"), window);
    EXPECT_EQ(findWindowByTitle(display, "Forms test: hidden"), 0u);

    form.load();  // loading again changes nothing
    EXPECT_EQ(form.events.size(), 1u);
    EXPECT_TRUE(form.unload());
    EXPECT_TRUE(forms::loadedForms().empty());
    XSync(display, False);
    EXPECT_EQ(findWindowByTitle(display, "Forms test: renamed"), 0u);
}

TEST_F(Forms, ShowMapsTheSameWindowAtItsSizeInTwips)
{
    RecordingForm form("Forms test: shown");
    form.load();
    const ::Window window = form.hWnd();
    form.move(1500, 750, 2280, 1680);
    form.show();
    ASSERT_TRUE(pumpUntil([&] { return mapState(window) == IsViewable; }));
    EXPECT_EQ(form.hWnd(), window);
    EXPECT_EQ(form.events, (std::vector<std::string>{"load", "resize"}));
    XWindowAttributes attributes;
    XGetWindowAttributes(server().display(), window, &attributes);
    EXPECT_EQ(attributes.width, 152);
    EXPECT_EQ(attributes.height, 112);
    EXPECT_EQ(form.width(), 2280);
    form.unload();
}

TEST_F(Forms, QueryUnloadMayCancelAndUnloadRunsAfterIt)
{
    RecordingForm form("Forms test: cancel");
    form.load();
    form.cancelQueryUnload = 1;
    EXPECT_FALSE(form.unload());
    EXPECT_TRUE(form.loaded());
    EXPECT_NE(findWindowByTitle(server().display(), "Forms test: cancel"), 0u);
    form.cancelQueryUnload = 0;
    EXPECT_TRUE(form.unload());
    EXPECT_EQ(form.events, (std::vector<std::string>{"load", "query-unload", "query-unload", "unload"}));
}

TEST_F(Forms, TheCloseBoxUnloadsTheForm)
{
    RecordingForm form("Forms test: close box");
    form.show();
    ASSERT_TRUE(pumpUntil([&] { return mapState(form.hWnd()) == IsViewable; }));
    sendDeleteWindow(server().display(), form.hWnd());
    ASSERT_TRUE(pumpUntil([&] { return !form.loaded(); }));
    EXPECT_EQ(form.lastMode, forms::UnloadMode::FormControlMenu);
    EXPECT_EQ(form.events.back(), "unload");
}

TEST_F(Forms, AWindowDestroyedByAnotherProgramUnloadsItsForm)
{
    Display* display = server().display();
    RecordingForm form("Forms test: destroyed");
    form.cancelQueryUnload = 1;  // nothing keeps a window that is gone
    form.show();
    const ::Window window = form.hWnd();
    ASSERT_TRUE(pumpUntil([&] { return mapState(window) == IsViewable; }));
    XDestroyWindow(display, window);
    XSync(display, False);
    ASSERT_TRUE(pumpUntil([&] { return !form.loaded(); }));
    EXPECT_EQ(form.lastMode, forms::UnloadMode::AppWindows);
    EXPECT_EQ(form.events.back(), "unload");
    EXPECT_TRUE(forms::loadedForms().empty());
}

TEST_F(Forms, TimersTickOneAtATime)
{
    int fastTicks = 0, slowTicks = 0, slowTicksDuringFastTick = 0;
    forms::Timer slow([&] { ++slowTicks; }, 5, true);
    forms::Timer fast(
        [&] {
            ++fastTicks;
            // A handler that runs the event loop itself: no other tick may run inside it.
            const int before = slowTicks;
            const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(30);
            while (std::chrono::steady_clock::now() < until)
                Fl::wait(0.005);
            slowTicksDuringFastTick += slowTicks - before;
        },
        10, true);
    ASSERT_TRUE(pumpUntil([&] { return fastTicks >= 3 && slowTicks >= 3; }));
    EXPECT_EQ(slowTicksDuringFastTick, 0);
    fast.setEnabled(false);
    slow.setInterval(0);  // an interval of 0 stops a timer too
    const int stoppedAt = fastTicks + slowTicks;
    pumpUntil([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_EQ(fastTicks + slowTicks, stoppedAt);
}

TEST_F(Forms, APictureBoxShowsWhatWasDrawnIntoItsImageBeforeTheFormWasShown)
{
    Display* display = server().display();
    RecordingForm form("Forms test: picture");
    form.setBorderStyle(forms::BorderStyle::NoBorder);
    form.setBackColor({0, 0, 0});
    forms::PictureBox box(form, "Display", 0);
    box.movePixels(10, 20, 60, 40);
    box.setBackColor({0, 0, 255});
    form.move(0, 0, 200 * forms::Screen::twipsPerPixelX(), 100 * forms::Screen::twipsPerPixelY());
    form.load();
    box.setScaleMode(forms::ScaleMode::Pixels);
    box.line(0, 5, 60, 5, {255, 255, 0});
    box.image().setPixel(30, 30, {0, 255, 0});
    EXPECT_EQ(box.image().pixel(59, 5), (forms::Colour{255, 255, 0}));  // kept although never shown
    form.show();
    ASSERT_TRUE(pumpUntil([&] { return mapState(form.hWnd()) == IsViewable; }));
    Screenshot shot = takeScreenshot(display);
    ASSERT_TRUE(pumpUntil([&] {
        shot = takeScreenshot(display);
        const Rgb p = shot.at(10 + 30, 20 + 5);
        return p.r == 255 && p.g == 255 && p.b == 0;
    }));
    shot.save("forms_picture_box.png");
    const Rgb inside = shot.at(10 + 1, 20 + 1), green = shot.at(10 + 30, 20 + 30), outside = shot.at(5, 5);
    EXPECT_EQ(inside.b, 255);
    EXPECT_EQ(inside.r, 0);
    EXPECT_EQ(green.g, 255);
    EXPECT_EQ(outside.r + outside.g + outside.b, 0);
    form.unload();
}

TEST_F(Forms, TheZoomAnimationLeavesTheScreenAsItWas)
{
    Display* display = server().display();
    const ::Window backdrop = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 400, 300, 0, 0, 0x3A6EA5);
    XMapWindow(display, backdrop);
    XSync(display, False);
    waitUntil([] { return false; }, std::chrono::milliseconds(100));
    const Screenshot before = takeScreenshot(display);
    platform::drawAnimatedRects(0, platform::IDANI_CAPTION, {200, 150, 200, 150}, {20, 30, 380, 280});
    XSync(display, False);
    const Screenshot after = takeScreenshot(display);
    int changed = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            const Rgb a = before.at(x, y), b = after.at(x, y);
            changed += a.r != b.r || a.g != b.g || a.b != b.b;
        }
    EXPECT_EQ(changed, 0);
}

// A tap, or a tool's click, moves the pointer and presses at once; the toolkit reports such a
// motion only after the press, if at all. A control hears of the pointer before its press all
// the same, and of a jump before the release, as on Windows.
TEST_F(Forms, APressOrReleaseRightAfterAJumpComesAfterAMoveThere)
{
    Display* display = server().display();
    RecordingForm form("Forms test: jump");
    form.setBorderStyle(forms::BorderStyle::NoBorder);
    form.move(0, 0, 300 * forms::Screen::twipsPerPixelX(), 100 * forms::Screen::twipsPerPixelY());
    std::vector<std::string> heard;
    forms::Label left(form, "Left"), right(form, "Right");
    for (forms::Label* label : {&left, &right}) {
        const std::string name = label == &left ? "left " : "right ";
        label->movePixels(label == &left ? 10 : 160, 10, 100, 50);
        label->onMouseMove = [&, name](const forms::MouseEvent& e) {
            heard.push_back(name + (e.button ? "drag" : "move"));
        };
        label->onMouseDown = [&, name](const forms::MouseEvent&) { heard.push_back(name + "down"); };
        label->onMouseUp = [&, name](const forms::MouseEvent&) { heard.push_back(name + "up"); };
    }
    form.show();
    ASSERT_TRUE(pumpUntil([&] { return mapState(form.hWnd()) == IsViewable; }));

    movePointer(display, 40, 30);
    ASSERT_TRUE(pumpUntil([&] { return !heard.empty(); }));
    heard.clear();
    click(display, 190, 30);
    ASSERT_TRUE(pumpUntil([&] { return heard.size() >= 3; }));
    heard.resize(3);  // the toolkit may tell of the pointer again after the release
    EXPECT_EQ(heard, (std::vector<std::string>{"right move", "right down", "right up"}));

    // Pressed, then dragged off in one go and released there.
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XSync(display, False);
    ASSERT_TRUE(pumpUntil([&] { return !heard.empty() && heard.back() == "right down"; }));
    heard.clear();
    XTestFakeMotionEvent(display, -1, 250, 80, CurrentTime);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XSync(display, False);
    ASSERT_TRUE(pumpUntil([&] { return heard.size() >= 2; }));
    heard.resize(2);
    EXPECT_EQ(heard, (std::vector<std::string>{"right drag", "right up"}));
    form.unload();
}

// Tab goes round the controls that take the keyboard focus in the order they were made, those
// in a picture box in the box's place, passing by what is hidden or disabled; the window
// getting the focus back gives it to the control that had it, the one clicked into included.
TEST_F(Forms, TabFollowsTheOrderTheControlsWereMadeAndTheFocusComesBackWhereItWas)
{
    Display* display = server().display();
    RecordingForm form("Forms test: tab");
    form.setBorderStyle(forms::BorderStyle::NoBorder);
    form.move(0, 0, 400 * forms::Screen::twipsPerPixelX(), 100 * forms::Screen::twipsPerPixelY());
    forms::UserControl first(form, "First");
    forms::PictureBox box(form, "Box");
    forms::ComboBox list(box, "List");
    forms::UserControl inBox(box, "InBox");
    forms::PictureBox hidden(form, "Hidden");
    forms::UserControl inHidden(hidden, "InHidden");
    forms::ComboBox disabled(form, "Disabled");
    forms::Label label(form, "Label");
    forms::UserControl last(form, "Last");
    first.movePixels(0, 0, 40, 20);
    box.movePixels(50, 0, 200, 50);
    list.movePixels(0, 0, 80, 24);
    inBox.movePixels(100, 0, 40, 20);
    hidden.movePixels(260, 0, 50, 50);
    inHidden.movePixels(0, 0, 40, 20);
    disabled.movePixels(0, 60, 80, 24);
    label.movePixels(100, 60, 80, 20);
    last.movePixels(200, 60, 40, 20);
    hidden.setVisible(false);
    disabled.setEnabled(false);
    form.show();
    ASSERT_TRUE(pumpUntil([&] { return mapState(form.hWnd()) == IsViewable; }));

    const std::vector<forms::Control*> everyOne{&first, &list, &inBox, &inHidden, &disabled, &label, &last};
    const auto focused = [&]() -> forms::Control* {
        for (forms::Control* control : everyOne)
            if (control->hasFocus())
                return control;
        return nullptr;
    };
    const auto focusComesTo = [&](forms::Control& control) { return pumpUntil([&] { return focused() == &control; }); };
    XSetInputFocus(display, form.hWnd(), RevertToPointerRoot, CurrentTime);
    XSync(display, False);
    EXPECT_TRUE(focusComesTo(first)) << "the first one Tab stops at";
    for (forms::Control* next : std::vector<forms::Control*>{&list, &inBox, &last, &first}) {
        pressKey(display, "Tab");
        EXPECT_TRUE(focusComesTo(*next)) << next->name();
    }
    pressKey(display, "Tab", {"Shift_L"});
    EXPECT_TRUE(focusComesTo(last));

    // Away from the window and back.
    const auto awayAndBack = [&] {
        movePointer(display, 600, 400);
        XSetInputFocus(display, PointerRoot, RevertToPointerRoot, CurrentTime);
        XSync(display, False);
        EXPECT_TRUE(pumpUntil([&] { return focused() == nullptr; })) << "the window lost the focus";
        XSetInputFocus(display, form.hWnd(), RevertToPointerRoot, CurrentTime);
        XSync(display, False);
    };
    awayAndBack();
    EXPECT_TRUE(focusComesTo(last));
    click(display, 60, 10);  // into the list's text
    ASSERT_TRUE(focusComesTo(list));
    awayAndBack();
    EXPECT_TRUE(focusComesTo(list));
    form.unload();
}
