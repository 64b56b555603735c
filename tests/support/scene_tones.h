#pragma once
// The renderer's scene as its tests look at it: the pictures they hand it as the show's two
// bitmaps, and the tones they look for in screenshots of what it draws.
#include <cstdint>
#include <vector>

#include "tests/support/x_user.h"

namespace testing_support {

// The quadrants of the desktop picture: red top left, green top right, blue bottom left,
// yellow bottom right.
inline constexpr std::uint32_t quadrantColours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};

// A 200 x 150 desktop picture of the four quadrant colours, as a BMP file's bytes.
std::vector<std::uint8_t> quadrantPicture();
// A 64 x 64 flake picture of one colour (0xRRGGBB).
std::vector<std::uint8_t> plainPicture(std::uint32_t colour);

enum class Tone { Other, Red, Green, Blue, Yellow, Magenta, Grey };

Tone toneOf(Rgb p);
// Separate patches of one tone in the rows from top to bottom, counted on a coarse grid.
int patchesOf(const Screenshot& shot, Tone tone, int top, int bottom);
// Pixels of one tone in the sky, the rows above the floor in every scene: only flakes are drawn
// there, while the floor's seams blend its colours into other tones (its yellow and blue, grey).
int skyPixelsOf(const Screenshot& shot, Tone tone);

}  // namespace testing_support
