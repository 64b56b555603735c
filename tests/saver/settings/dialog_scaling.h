#pragma once
// What the settings dialog's scaling tests on both systems share: the dialog's inner area cut
// from a screenshot, scaled back to its 96-dpi size, and compared with the 96-dpi one where a
// scaling fault shows (the strip-tiled panel, the option bullets, the button rims) by the mean
// colour of small cells. A cell's mean does not care whether text is sharper, but a gap between
// strips, an untiled band, a bullet of the old size or a rim that is not there move it far.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "tests/saver/settings/dialog_look.h"
#include "tests/support/x_user.h"

namespace dialog_scaling {

using testing_support::Rgb;
using testing_support::Screenshot;

constexpr int resolutions[] = {96, 120, 144, 192};

// The dialog's inner size at a resolution: its twips at 1440 / dpi to the pixel.
inline int scaled(int pixelsAt96, int dpi)
{
    return static_cast<int>(std::lround(pixelsAt96 * 15.0 / (1440.0 / dpi)));
}

// Whether 設定 shows the focused face yet (its light blue glow under the top border), on a
// screenshot with the dialog's inner area at (x, y): the dialog gives it the focus when it opens.
inline bool saveButtonFocused(const Screenshot& shot, int x, int y, int dpi)
{
    for (int row = scaled(200, dpi); row <= scaled(205, dpi); ++row)
        if (dialog_look::near(shot.at(x + scaled(356, dpi), y + row), 0xCE, 0xE7, 0xFF, 10))
            return true;
    return false;
}

inline Screenshot cut(const Screenshot& shot, int x, int y, int width, int height)
{
    std::vector<Rgb> pixels;
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column)
            pixels.push_back(shot.at(std::clamp(column, 0, shot.width() - 1), std::clamp(row, 0, shot.height() - 1)));
    return Screenshot(width, height, std::move(pixels));
}

// Each pixel of the smaller picture the mean of the area it covers, partly covered pixels
// weighed by how much of them it covers.
inline Screenshot scaledBack(const Screenshot& picture, int width, int height)
{
    const double sx = double(picture.width()) / width, sy = double(picture.height()) / height;
    std::vector<Rgb> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            double r = 0, g = 0, b = 0, weight = 0;
            const double left = x * sx, right = (x + 1) * sx, top = y * sy, bottom = (y + 1) * sy;
            for (int row = int(top); row < int(std::ceil(bottom)) && row < picture.height(); ++row)
                for (int column = int(left); column < int(std::ceil(right)) && column < picture.width(); ++column) {
                    const double w = (std::min(right, column + 1.0) - std::max(left, double(column))) *
                                     (std::min(bottom, row + 1.0) - std::max(top, double(row)));
                    const Rgb c = picture.at(column, row);
                    r += c.r * w, g += c.g * w, b += c.b * w, weight += w;
                }
            pixels.push_back({static_cast<std::uint8_t>(std::lround(r / weight)),
                              static_cast<std::uint8_t>(std::lround(g / weight)),
                              static_cast<std::uint8_t>(std::lround(b / weight))});
        }
    return Screenshot(width, height, std::move(pixels));
}

// A part of the 96-dpi inner area where scaling faults show, and the cell size it is judged in.
struct Region {
    const char* name;
    int x, y, width, height;
    int cell;
    // How far a cell's mean may move. Measured here: a correctly scaled panel moves at most 5,
    // a bullet 41 (a half-pixel shift by the panel's unscaled one-pixel frame, on a dark dot a
    // few pixels wide), a rim 26 (one-pixel rings blended at 125 %). The faults move them by
    // 42 and more (stripes with gaps and an untiled band), 149 (bullets at their pixel size)
    // and 74 and more (rims cut away).
    double tolerance = 0;
};

// The panel away from its labels, the three bullets, and the 4-pixel rims of the three buttons
// (their captions left out).
inline std::vector<Region> regionsToCompare()
{
    std::vector<Region> regions = {{"the strip-tiled panel", 250, 19, 228, 158, 6, 20}};
    for (const int top : {73, 93, 113})
        regions.push_back({"an option bullet", 41, top, 12, 12, 4, 70});
    struct Button {
        const char* name;
        int x, y, width, height;
    };
    for (const Button button : {Button{"the file button", 41, 129, 41, 25}, Button{"設定", 316, 200, 81, 25},
                                Button{"ｷｬﾝｾﾙ", 400, 200, 81, 25}}) {
        regions.push_back({button.name, button.x, button.y, button.width, 4, 4, 45});
        regions.push_back({button.name, button.x, button.y + button.height - 4, button.width, 4, 4, 45});
        regions.push_back({button.name, button.x, button.y, 4, button.height, 4, 45});
        regions.push_back({button.name, button.x + button.width - 4, button.y, 4, button.height, 4, 45});
    }
    return regions;
}

// The largest difference of a cell's mean colour (the largest of its three channels) between
// the two pictures over the region. The cells share the region evenly, none narrower than the
// cell size, so that no cell is a single column where any blend would count in full.
inline double worstCellDifference(const Screenshot& a, const Screenshot& b, const Region& region)
{
    const int across = std::max(1, region.width / region.cell), down = std::max(1, region.height / region.cell);
    double worst = 0;
    for (int j = 0; j < down; ++j)
        for (int i = 0; i < across; ++i) {
            const int left = region.x + i * region.width / across, right = region.x + (i + 1) * region.width / across;
            const int top = region.y + j * region.height / down, bottom = region.y + (j + 1) * region.height / down;
            double sums[2][3] = {};
            for (int row = top; row < bottom; ++row)
                for (int column = left; column < right; ++column) {
                    const Rgb ca = a.at(column, row), cb = b.at(column, row);
                    sums[0][0] += ca.r, sums[0][1] += ca.g, sums[0][2] += ca.b;
                    sums[1][0] += cb.r, sums[1][1] += cb.g, sums[1][2] += cb.b;
                }
            const int count = (right - left) * (bottom - top);
            for (int channel = 0; channel < 3; ++channel)
                worst = std::max(worst, std::abs(sums[0][channel] - sums[1][channel]) / count);
        }
    return worst;
}

// The dialog scaled back from `dpi` looks like the 96-dpi one in every region.
inline void expectLooksLikeTheDialogAt96(const Screenshot& at96, const Screenshot& back, int dpi)
{
    for (const Region& region : regionsToCompare())
        EXPECT_LE(worstCellDifference(at96, back, region), region.tolerance)
            << region.name << " at (" << region.x << ", " << region.y << ") at " << dpi << " dpi";
}

// The dialog's inner area once it shows at the dpi: its shading, its panel and 設定 with the
// focus, and two looks in a row alike. `locate(x, y, width, height)` finds the inner area on the
// screen, false while it can't. The latest look of it when it never settles within the limit
// (empty when it never showed).
template <typename Locate>
Screenshot settledInnerArea(Display* display, int dpi, Locate locate, std::chrono::milliseconds limit,
                            Screenshot* lastScreen = nullptr)
{
    int x = 0, y = 0, width = 0, height = 0;
    Screenshot previous(0, 0, {});
    const Screenshot last = testing_support::screenshotWhen(display, [&](const Screenshot& shot) {
        if (!locate(x, y, width, height) || x < 0 || y < 0 || !dialog_look::near(shot.at(x + 2, y + 1), 0, 0, 30, 6) ||
            shot.at(x + scaled(300, dpi), y + scaled(40, dpi)).r < 120 || !saveButtonFocused(shot, x, y, dpi))
            return false;
        const Screenshot now = cut(shot, x, y, width, height);
        const bool settled = previous.width() == width && previous.height() == height &&
                             worstCellDifference(previous, now, {"all", 0, 0, width, height, 1}) == 0;
        previous = now;
        return settled;
    }, limit);
    if (lastScreen)
        *lastScreen = last;
    return previous;
}

// Where the ink of "なし" ends, in 96-dpi pixels from the inner area's left edge, on the
// dialog's inner area at its own dpi: about 77 when the label is whole, 69 or less when it
// shows "な" alone.
inline double endOfNone(const Screenshot& inner, int dpi)
{
    int right = 0;
    for (int y = scaled(93, dpi); y < scaled(107, dpi); ++y)
        for (int x = scaled(57, dpi); x < scaled(92, dpi); ++x)
            if (dialog_look::dark(inner.at(x, y)))
                right = std::max(right, x);
    return right * 96.0 / dpi;
}

}  // namespace dialog_scaling
