#include "saver/controls/button_faces.h"

#include <cmath>
#include <optional>
#include <stdexcept>

#include "assets/button_disable_bmp.h"
#include "assets/button_highlight_bmp.h"
#include "assets/button_highlightselect_bmp.h"
#include "assets/button_normal_bmp.h"
#include "assets/button_pressed_bmp.h"
#include "assets/button_selected_bmp.h"
#include "saver/forms/bitmap_file.h"
#include "saver/forms/conversions.h"
#include "saver/forms/twips.h"

namespace {

std::int16_t twips16(double value)
{
    const std::optional<std::int16_t> rounded = forms::toInt16(value);
    if (!rounded)
        throw std::overflow_error("a button face is limited to 32767 twips");
    return *rounded;
}

}  // namespace

const forms::RgbSurface& facePicture(ButtonFace face)
{
    static const std::array<forms::RgbSurface, 6> pictures = {
        forms::decodeBitmap(assets::button_normal_bmp()),    forms::decodeBitmap(assets::button_highlight_bmp()),
        forms::decodeBitmap(assets::button_highlightselect_bmp()), forms::decodeBitmap(assets::button_selected_bmp()),
        forms::decodeBitmap(assets::button_pressed_bmp()),   forms::decodeBitmap(assets::button_disable_bmp()),
    };
    return pictures[static_cast<std::size_t>(face)];
}

std::array<FaceSlice, 8> faceSlices(double widthTwips, double heightTwips)
{
    (void)twips16(widthTwips), (void)twips16(heightTwips);  // the size itself must fit, too
    const std::int16_t right = twips16(widthTwips - 60.0), bottom = twips16(heightTwips - 60.0);
    const std::int16_t middleWidth = twips16(widthTwips - 120.0), middleHeight = twips16(heightTwips - 120.0);
    // The 1-twip offsets are less than a pixel: they land on pixel 0.
    return {{
        {0, 0, 60, 60, 1, 1, 60, 60},
        {60, 1, 840, 60, 60, 1, middleWidth, 60},
        {900, 1, 60, 60, right, 1, 60, 60},
        {900, 60, 60, 255, right, 60, 60, middleHeight},
        {900, 315, 60, 60, right, bottom, 60, 60},
        {60, 315, 840, 60, 60, bottom, middleWidth, 60},
        {0, 315, 60, 60, 1, bottom, 60, 60},
        {1, 60, 60, 255, 1, 60, 60, middleHeight},
    }};
}

void paintSlices(forms::RgbSurface& face, const forms::RgbSurface& picture, const std::array<FaceSlice, 8>& slices,
                 double screenTwipsPerPixel)
{
    // Edges rather than sizes are rounded, so that neighbouring slices meet without a gap.
    auto edge = [screenTwipsPerPixel](double twips) { return forms::twipsToPixels(twips, screenTwipsPerPixel); };
    // The picture's 1-twip offsets are less than one of its pixels: they land on pixel 0.
    auto sourcePixel = [](double twips) { return std::floor(twips / forms::pictureTwipsPerPixel); };
    for (const FaceSlice& slice : slices) {
        const int x = edge(slice.x), y = edge(slice.y);
        face.smoothStretchFrom(picture, x, y, edge(slice.x + slice.width) - x, edge(slice.y + slice.height) - y,
                               sourcePixel(slice.sourceX), sourcePixel(slice.sourceY),
                               slice.sourceWidth / forms::pictureTwipsPerPixel,
                               slice.sourceHeight / forms::pictureTwipsPerPixel);
    }
}
