#pragma once
// Writes Windows bitmap files of every kind the renderer may meet: core and information headers
// (and the larger later ones), 1 to 32 bits a pixel, run-length encoded, bit fields, top-down,
// with or without the 14-byte file header.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

struct BmpColour {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const BmpColour&) const = default;
};

// The picture as a person reads it: top row first. For 1, 4 and 8 bits a pixel each value is
// a colour-table index; otherwise it is 0xRRGGBB.
struct BmpPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

enum class BmpHeader : std::uint32_t { Core = 12, Info = 40, V4 = 108, V5 = 124 };
enum class BmpCompression : std::uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, Bitfields = 3 };

struct BmpOptions {
    int bitCount = 24;
    BmpHeader header = BmpHeader::Info;
    BmpCompression compression = BmpCompression::Rgb;
    bool fileHeader = true;  // false: a packed bitmap, starting with its information header
    bool topDown = false;    // rows stored top row first (negative height)
    std::vector<BmpColour> palette;  // the colour table, written as it stands
    // The colours-used field; by default 0 for a full table, else the table's size.
    std::optional<std::uint32_t> coloursUsed;
    std::array<std::uint32_t, 3> masks{0x7C00, 0x03E0, 0x001F};  // red, green, blue
    // Replaces the encoded pixels, for hand-made streams and damaged files.
    std::optional<std::vector<std::uint8_t>> pixelData;
};

std::vector<std::uint8_t> encodeBmp(const BmpPicture& picture, const BmpOptions& options);
void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

// A picture with every pixel made by `colour(x, y)`, y counted from the top.
template <typename Colour>
BmpPicture makePicture(int width, int height, Colour colour)
{
    BmpPicture picture{width, height, {}};
    picture.pixels.reserve(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.pixels.push_back(colour(x, y));
    return picture;
}

}  // namespace testing_support
