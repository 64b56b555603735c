#pragma once
// What the settings dialog's tests on both systems share: where a user clicks in it, and how
// it must look.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ostream>
#include <vector>

#include "tests/support/x_user.h"

namespace dialog_look {

using testing_support::Rgb;
using testing_support::Screenshot;

// The dialog's inner area.
constexpr int dialogWidth = 495, dialogHeight = 246;

// Where a user clicks, in pixels from the dialog's inner area: the music panel stands at
// (12, 16) and holds the options, the combo box and the file button.
struct Spot {
    int x, y;
};
constexpr Spot optionImage[3] = {{46, 98}, {46, 78}, {46, 118}};  // by music source
constexpr Spot optionLabel[3] = {{56, 98}, {60, 78}, {64, 118}};
constexpr Spot comboText{130, 78};
constexpr Spot fileButton{60, 140};
constexpr Spot saveButton{356, 212};
constexpr Spot cancelButton{440, 212};
constexpr Spot addressLabel{40, 212};

inline bool near(Rgb colour, int r, int g, int b, int tolerance = 12)
{
    return std::abs(colour.r - r) <= tolerance && std::abs(colour.g - g) <= tolerance &&
           std::abs(colour.b - b) <= tolerance;
}

inline bool dark(Rgb colour) { return colour.r + colour.g + colour.b < 200; }

// A button's face, told apart by the third ring from the top in the middle of its top edge
// (HighLight and HighLightSelect are one picture).
enum class Face { Normal, HighLight, Selected, Pressed, Disable, Other };
constexpr Spot fileButtonRing{60, 131}, saveButtonRing{356, 202}, cancelButtonRing{440, 202};

inline Face faceOf(Rgb ring)
{
    const auto is = [ring](int r, int g, int b) { return near(ring, r, g, b, 0); };
    return is(0xF3, 0xF3, 0xEE)   ? Face::Normal
           : is(0xFF, 0xF0, 0xCF) ? Face::HighLight
           : is(0xCE, 0xE7, 0xFF) ? Face::Selected
           : is(0x00, 0x3C, 0x74) ? Face::Pressed
           : is(0xF5, 0xF4, 0xEA) ? Face::Disable
                                  : Face::Other;
}

// The faces of the file button, 設定 and ｷｬﾝｾﾙ.
struct Faces {
    Face file, save, cancel;
    bool operator==(const Faces&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, Face face)
{
    static const char* const names[] = {"Normal", "HighLight", "Selected", "Pressed", "Disable", "Other"};
    return out << names[static_cast<int>(face)];
}

inline std::ostream& operator<<(std::ostream& out, const Faces& faces)
{
    return out << "{file " << faces.file << ", save " << faces.save << ", cancel " << faces.cancel << "}";
}

// Waits until the buttons show the faces expected, or a while; the dialog's inner area's
// corner at the origin.
inline void expectFaces(Display* display, int originX, int originY, Faces expected, const char* after)
{
    const auto facesOn = [&](const Screenshot& shot) {
        const auto at = [&](Spot spot) { return faceOf(shot.at(originX + spot.x, originY + spot.y)); };
        return Faces{at(fileButtonRing), at(saveButtonRing), at(cancelButtonRing)};
    };
    const Screenshot shot = testing_support::screenshotWhen(
        display, [&](const Screenshot& s) { return facesOn(s) == expected; }, std::chrono::seconds(5));
    EXPECT_EQ(facesOn(shot), expected) << after;
}

// With the music file chosen the track list before the buttons is disabled: the focus is on
// the file button from the start, and Tab goes round the three buttons, Shift+Tab back. At the
// end the focus is on ｷｬﾝｾﾙ.
inline void expectTabRoundTheButtons(Display* display, int originX, int originY)
{
    using enum Face;
    expectFaces(display, originX, originY, {Selected, Normal, Normal}, "opened");
    for (const Faces next :
         {Faces{Normal, Selected, Normal}, Faces{Normal, Normal, Selected}, Faces{Selected, Normal, Normal}}) {
        testing_support::pressKey(display, "Tab");
        expectFaces(display, originX, originY, next, "Tab");
    }
    testing_support::pressKey(display, "Tab", {"Shift_L"});
    expectFaces(display, originX, originY, {Normal, Normal, Selected}, "Shift+Tab");
}

// The focus on ｷｬﾝｾﾙ, the pointer moves over the file button; Tab onto it shows it pressed.
inline void expectTabOntoTheButtonUnderThePointerPressed(Display* display, int originX, int originY)
{
    using enum Face;
    testing_support::movePointer(display, originX + fileButton.x, originY + fileButton.y);
    expectFaces(display, originX, originY, {HighLight, Normal, Selected}, "the pointer over the file button");
    testing_support::pressKey(display, "Tab");
    expectFaces(display, originX, originY, {Pressed, Normal, Normal}, "Tab");
}

// With the audio CD the track list has the focus from the start: 9 typed goes into it. Tab
// passes the disabled file button, goes round 設定 and ｷｬﾝｾﾙ to the list again, which chooses
// its text whole, and 2 typed replaces the 9.
inline void typeTabbingRoundTheTrackList(Display* display, int originX, int originY)
{
    using enum Face;
    testing_support::pressKey(display, "9");
    for (const Faces next :
         {Faces{Disable, Selected, Normal}, Faces{Disable, Normal, Selected}, Faces{Disable, Normal, Normal}}) {
        testing_support::pressKey(display, "Tab");
        expectFaces(display, originX, originY, next, "Tab");
    }
    testing_support::pressKey(display, "2");
}

// Whether the window is shown; a window that has gone is not (and is no error).
inline bool viewable(Display* display, ::Window window)
{
    XSync(display, False);
    const auto previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    XWindowAttributes attributes;
    const bool shown = XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
    XSync(display, False);
    XSetErrorHandler(previous);
    return shown;
}

// The dialog's look, its inner area's corner at the origin on the screenshot.
inline void expectTheDialogsLook(const Screenshot& shot, int originX, int originY)
{
    const auto at = [&](Spot spot) { return shot.at(originX + spot.x, originY + spot.y); };

    // The shading: dark blue rows at the top and bottom, lavender in the middle (at the left
    // edge, which no control covers).
    EXPECT_TRUE(near(at({4, 0}), 0, 0, 30, 4));
    EXPECT_TRUE(near(at({4, dialogHeight - 1}), 0, 0, 30, 8));
    EXPECT_TRUE(near(at({4, dialogHeight / 2}), 220, 220, 250, 4));

    // The panel is tiled with the grey brushed-metal strip: greys that vary along a row.
    int greys = 0, lightest = 0, darkest = 255;
    for (int x = 300; x < 460; ++x) {
        const Rgb c = at({x, 40});
        greys += std::abs(c.r - c.g) <= 6 && c.b >= c.r && c.b - c.r <= 10 && c.r > 120;
        lightest = std::max<int>(lightest, c.r);
        darkest = std::min<int>(darkest, c.r);
    }
    EXPECT_GE(greys, 150);
    EXPECT_GE(lightest - darkest, 12) << "a brushed strip, not a flat fill";

    // The three buttons show their faces, not the backdrop behind them.
    for (Spot button : {saveButton, cancelButton, fileButton})
        EXPECT_FALSE(near(at({button.x - 30, button.y - 2}), 0, 0, 30, 40)) << button.x;

    // "なし": two different glyphs, each with ink; empty boxes for missing glyphs would be alike.
    std::vector<int> left, right;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x) {
            left.push_back(dark(at({12 + 44 + x, 16 + 76 + y})));
            right.push_back(dark(at({12 + 44 + 13 + x, 16 + 76 + y})));
        }
    EXPECT_GE(std::count(left.begin(), left.end(), 1), 12);
    EXPECT_GE(std::count(right.begin(), right.end(), 1), 8);
    EXPECT_NE(left, right);
}

}  // namespace dialog_look
