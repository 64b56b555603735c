#include "saver/forms/bitmap_file.h"

#include "platform/file_replace.h"

namespace forms {
namespace {

constexpr std::size_t fileHeaderSize = 14, infoHeaderSize = 40;

void put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value)
{
    out[at] = value & 0xFF;
    out[at + 1] = (value >> 8) & 0xFF;
}

void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value)
{
    put16(out, at, value & 0xFFFF);
    put16(out, at + 2, value >> 16);
}

std::uint32_t get32(std::span<const std::uint8_t> in, std::size_t at)
{
    return in[at] | in[at + 1] << 8 | in[at + 2] << 16 | static_cast<std::uint32_t>(in[at + 3]) << 24;
}

std::size_t rowBytes(int width)
{
    return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
}

}  // namespace

std::vector<std::uint8_t> encodeBitmap(const RgbSurface& picture)
{
    const std::size_t stride = rowBytes(picture.width());
    const std::size_t imageSize = stride * picture.height();
    std::vector<std::uint8_t> out(fileHeaderSize + infoHeaderSize + imageSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, static_cast<std::uint32_t>(out.size()));
    put32(out, 10, fileHeaderSize + infoHeaderSize);
    put32(out, 14, infoHeaderSize);
    put32(out, 18, static_cast<std::uint32_t>(picture.width()));
    put32(out, 22, static_cast<std::uint32_t>(picture.height()));  // positive: bottom row first
    put16(out, 26, 1);                                               // planes
    put16(out, 28, 24);                                              // bits per pixel
    put32(out, 30, 0);                                               // BI_RGB, no compression
    put32(out, 34, static_cast<std::uint32_t>(imageSize));
    put32(out, 38, 3780);  // 96 dots per inch, in pixels per metre
    put32(out, 42, 3780);
    const std::uint8_t* rgb = picture.data();
    for (int y = 0; y < picture.height(); ++y) {
        std::uint8_t* row = &out[fileHeaderSize + infoHeaderSize + stride * (picture.height() - 1 - y)];
        const std::uint8_t* from = rgb + static_cast<std::size_t>(y) * picture.width() * 3;
        for (int x = 0; x < picture.width(); ++x, from += 3, row += 3) {
            row[0] = from[2];
            row[1] = from[1];
            row[2] = from[0];
        }
    }
    return out;
}

RgbSurface decodeBitmap(std::span<const std::uint8_t> file)
{
    if (file.size() < fileHeaderSize + infoHeaderSize || file[0] != 'B' || file[1] != 'M')
        return {};
    const std::uint32_t offset = get32(file, 10);
    const auto width = static_cast<std::int32_t>(get32(file, 18));
    const auto height = static_cast<std::int32_t>(get32(file, 22));
    const unsigned bits = file[28] | file[29] << 8;
    if (get32(file, 14) < infoHeaderSize || bits != 24 || get32(file, 30) != 0 || width <= 0 || height == 0 ||
        width > 16384 || height > 16384 || height < -16384)
        return {};
    const int rows = height < 0 ? -height : height;
    const std::size_t stride = rowBytes(width);
    if (offset > file.size() || (file.size() - offset) / stride < static_cast<std::size_t>(rows))
        return {};
    RgbSurface picture(width, rows);
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* row = &file[offset + stride * static_cast<std::size_t>(height < 0 ? y : rows - 1 - y)];
        for (int x = 0; x < width; ++x, row += 3)
            picture.setPixel(x, y, {row[2], row[1], row[0]});
    }
    return picture;
}

void savePicture(const RgbSurface& picture, const std::string& path)
{
    // Whoever reads the path next (the renderer) gets the whole picture, never a half-written
    // one or what a link planted there points to.
    platform::replaceFile(path, encodeBitmap(picture));
}

}  // namespace forms
