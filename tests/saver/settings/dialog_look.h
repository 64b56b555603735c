#pragma once
// What the settings dialog's tests on both systems share: where a user clicks in it, and how
// it must look.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <algorithm>
#include <cstdlib>
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

inline bool near(Rgb colour, int r, int g, int b, int tolerance = 12)
{
    return std::abs(colour.r - r) <= tolerance && std::abs(colour.g - g) <= tolerance &&
           std::abs(colour.b - b) <= tolerance;
}

inline bool dark(Rgb colour) { return colour.r + colour.g + colour.b < 200; }

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
