#pragma once
// Pictures as Windows bitmap (BMP) files: a 14-byte file header, a 40-byte information header,
// 24-bit pixels without compression, bottom row first, rows padded to four bytes.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "saver/forms/rgb_surface.h"

namespace forms {

std::vector<std::uint8_t> encodeBitmap(const RgbSurface& picture);

// Reads what encodeBitmap writes (any 24-bit uncompressed bitmap, either row order); an empty
// picture for anything else. The pictures the saver carries are stored this way.
RgbSurface decodeBitmap(std::span<const std::uint8_t> file);

// SavePicture: writes the picture as a bitmap file readable by the user alone (mode 0600). The
// file is written under a temporary name beside it and renamed over the old one, so a reader
// never sees half a picture; a symbolic link at the path is replaced, never written through.
// Throws std::system_error when the file cannot be written.
void savePicture(const RgbSurface& picture, const std::string& path);

}  // namespace forms
