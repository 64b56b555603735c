#include "tests/support/bmp_writer.h"

#include <bit>
#include <fstream>
#include <stdexcept>

namespace testing_support {
namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// An 8-bit channel in a mask's bits (its top bits when the mask is narrower).
std::uint32_t intoMask(std::uint32_t channel, std::uint32_t mask)
{
    if (!mask)
        return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::bit_width(mask >> shift);
    const std::uint32_t value = bits >= 8 ? channel << (bits - 8) : channel >> (8 - bits);
    return (value << shift) & mask;
}

std::vector<std::uint8_t> uncompressedRows(const BmpPicture& picture, const BmpOptions& options)
{
    const int bits = options.bitCount;
    const std::size_t stride = (std::size_t(bits) * picture.width + 31) / 32 * 4;
    std::vector<std::uint8_t> data;
    for (int row = 0; row < picture.height; ++row) {
        const int y = options.topDown ? row : picture.height - 1 - row;
        std::vector<std::uint8_t> line(stride, 0);
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t p = picture.at(x, y);
            const std::uint32_t r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
            switch (bits) {
            case 1:
            case 4:
            case 8: {
                const int perByte = 8 / bits;
                line[x / perByte] |= std::uint8_t(p << (8 - bits * (x % perByte + 1)));
                break;
            }
            case 16: {
                const std::uint32_t v = intoMask(r, options.masks[0]) | intoMask(g, options.masks[1]) |
                                        intoMask(b, options.masks[2]);
                line[2 * x] = std::uint8_t(v);
                line[2 * x + 1] = std::uint8_t(v >> 8);
                break;
            }
            case 24:
                line[3 * x] = std::uint8_t(b);
                line[3 * x + 1] = std::uint8_t(g);
                line[3 * x + 2] = std::uint8_t(r);
                break;
            case 32: {
                const std::uint32_t v = options.compression == BmpCompression::Bitfields
                                            ? intoMask(r, options.masks[0]) | intoMask(g, options.masks[1]) |
                                                  intoMask(b, options.masks[2])
                                            : p;
                for (int i = 0; i < 4; ++i)
                    line[4 * x + i] = std::uint8_t(v >> (8 * i));
                break;
            }
            default:
                throw std::invalid_argument("no such bit count");
            }
        }
        data.insert(data.end(), line.begin(), line.end());
    }
    return data;
}

// Runs of equal pixels as encoded runs; stretches of differing ones (three or more) in
// absolute mode, so that readers meet both.
std::vector<std::uint8_t> runLengthRows(const BmpPicture& picture, bool fourBit)
{
    std::vector<std::uint8_t> data;
    for (int y = picture.height - 1; y >= 0; --y) {
        int x = 0;
        while (x < picture.width) {
            int run = 1;
            while (x + run < picture.width && run < 255 && picture.at(x + run, y) == picture.at(x, y))
                ++run;
            if (run >= 2) {
                const std::uint32_t index = picture.at(x, y);
                data.push_back(std::uint8_t(run));
                data.push_back(std::uint8_t(fourBit ? (index << 4 | index) : index));
                x += run;
                continue;
            }
            int stretch = 1;
            while (x + stretch < picture.width && stretch < 254 &&
                   (x + stretch + 1 >= picture.width || picture.at(x + stretch, y) != picture.at(x + stretch + 1, y)))
                ++stretch;
            if (stretch < 3) {
                data.push_back(1);
                data.push_back(std::uint8_t(picture.at(x, y) * (fourBit ? 17 : 1)));
                ++x;
                continue;
            }
            data.push_back(0);
            data.push_back(std::uint8_t(stretch));
            std::vector<std::uint8_t> bytes;
            for (int i = 0; i < stretch; ++i) {
                const std::uint32_t index = picture.at(x + i, y);
                if (!fourBit)
                    bytes.push_back(std::uint8_t(index));
                else if (i % 2 == 0)
                    bytes.push_back(std::uint8_t(index << 4));
                else
                    bytes.back() |= std::uint8_t(index);
            }
            if (bytes.size() % 2)
                bytes.push_back(0);
            data.insert(data.end(), bytes.begin(), bytes.end());
            x += stretch;
        }
        data.push_back(0);
        data.push_back(y == 0 ? 1 : 0);  // end of line, or of the picture after the top row
    }
    return data;
}

}  // namespace

std::vector<std::uint8_t> encodeBmp(const BmpPicture& picture, const BmpOptions& options)
{
    const bool core = options.header == BmpHeader::Core;
    const std::uint32_t headerSize = static_cast<std::uint32_t>(options.header);
    const bool masks = options.compression == BmpCompression::Bitfields && !core;

    std::vector<std::uint8_t> pixels;
    if (options.pixelData)
        pixels = *options.pixelData;
    else if (options.compression == BmpCompression::Rle8 || options.compression == BmpCompression::Rle4)
        pixels = runLengthRows(picture, options.compression == BmpCompression::Rle4);
    else
        pixels = uncompressedRows(picture, options);

    std::vector<std::uint8_t> header;
    put32(header, headerSize);
    if (core) {
        put16(header, std::uint32_t(picture.width));
        put16(header, std::uint32_t(picture.height));
        put16(header, 1);
        put16(header, std::uint32_t(options.bitCount));
    } else {
        const std::uint32_t fullTable = options.bitCount <= 8 ? 1u << options.bitCount : 0;
        const std::uint32_t used = options.coloursUsed.value_or(
            options.palette.size() == fullTable ? 0 : std::uint32_t(options.palette.size()));
        put32(header, std::uint32_t(picture.width));
        put32(header, std::uint32_t(options.topDown ? -picture.height : picture.height));
        put16(header, 1);
        put16(header, std::uint32_t(options.bitCount));
        put32(header, static_cast<std::uint32_t>(options.compression));
        put32(header, std::uint32_t(pixels.size()));
        put32(header, 2835);
        put32(header, 2835);
        put32(header, used);
        put32(header, 0);
        if (headerSize > 40) {  // the later headers carry their masks inside
            for (std::uint32_t mask : options.masks)
                put32(header, mask);
            header.resize(headerSize, 0);
        }
    }
    if (masks && headerSize == 40)
        for (std::uint32_t mask : options.masks)
            put32(header, mask);
    for (const BmpColour& c : options.palette) {
        header.push_back(c.b);
        header.push_back(c.g);
        header.push_back(c.r);
        if (!core)
            header.push_back(0);
    }

    std::vector<std::uint8_t> file;
    if (options.fileHeader) {
        const std::uint32_t offset = 14 + std::uint32_t(header.size());
        file = {'B', 'M'};
        put32(file, offset + std::uint32_t(pixels.size()));
        put32(file, 0);
        put32(file, offset);
    }
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("can't write " + path);
}

}  // namespace testing_support
