#pragma once
// BitBlt from the desktop's device context: the pixels the user sees on the screen.
#include <cstdint>

namespace platform {

// Copies the screen area with its top-left corner at (x, y) as tightly packed RGB rows, top
// row first, into `rgb` (width * height * 3 bytes). Parts outside the screen come out black.
// False when the screen can't be read at all.
bool copyScreenArea(int x, int y, int width, int height, std::uint8_t* rgb);

}  // namespace platform
