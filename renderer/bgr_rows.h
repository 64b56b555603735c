#pragma once
// The reader's hot loop: rows of blue-green-red pixels (3 bytes, or 4 with an unused byte)
// turned into red-green-blue. Uses SSSE3 byte shuffles where the processor has them.
#include <cstdint>

// Writes exactly width * 3 bytes to `out`; reads exactly width * BytesPerPixel from `in`.
void bgrToRgbRow(const std::uint8_t* in, std::uint8_t* out, std::int32_t width, int bytesPerPixel);
