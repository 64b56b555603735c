#pragma once
// The push button's six face pictures and how its rim is cut from them: eight slices of a
// 64 x 25 picture (960 x 375 twips), corners as they are, edges stretched between them.
#include <array>
#include <cstdint>

#include "saver/forms/rgb_surface.h"

enum class ButtonFace { Normal, HighLight, HighLightSelect, Selected, Pressed, Disable };

// The picture for a face, decoded once from the copy the saver carries.
const forms::RgbSurface& facePicture(ButtonFace face);

// One copy: a source area of the picture to a destination area of the face, in twips.
struct FaceSlice {
    std::int16_t sourceX, sourceY, sourceWidth, sourceHeight;
    std::int16_t x, y, width, height;
};

// The slices for a face of the given size, in the order they are copied: top-left corner, top
// edge, top-right corner, right edge, bottom-right corner, bottom edge, bottom-left corner,
// left edge. The arithmetic is 16-bit: a face wider or higher than 32767 twips throws
// std::overflow_error.
std::array<FaceSlice, 8> faceSlices(double widthTwips, double heightTwips);

// Copies the slices of the picture onto a face surface at the screen's twips per pixel. The
// source is read in the picture's own twips (it is a 96-dpi picture: 15 to the pixel, whatever
// the screen), the destination in the screen's, so that the rim keeps its design size in twips;
// a slice drawn at another size is scaled smoothly.
void paintSlices(forms::RgbSurface& face, const forms::RgbSurface& picture, const std::array<FaceSlice, 8>& slices,
                 double screenTwipsPerPixel);
