#include "renderer/dib_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>

#include "platform/file_reader.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "renderer/bgr_rows.h"

namespace {

enum : std::uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3 };
constexpr std::size_t fileHeaderSize = 14;
constexpr std::uint32_t coreHeaderSize = 12;
constexpr std::uint32_t infoHeaderSize = 40;

std::uint16_t le16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }
std::uint32_t le32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

// One colour channel of a 16- or 32-bit pixel, scaled to 8 bits the way the platform does it:
// short fields have their bits repeated (5 bits 10110 become 10110101).
struct ChannelMask {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit ChannelMask(std::uint32_t m) : mask(m)
    {
        if (m) {
            shift = std::countr_zero(m);
            bits = std::bit_width(m >> shift);
        }
    }

    std::uint8_t operator()(std::uint32_t pixel) const
    {
        if (bits == 0)
            return 0;
        const std::uint32_t value = (pixel & mask) >> shift;
        if (bits >= 8)
            return std::uint8_t(value >> (bits - 8));
        std::uint32_t scaled = 0;
        for (int position = 8 - bits; position > -bits; position -= bits)
            scaled |= position >= 0 ? value << position : value >> -position;
        return std::uint8_t(scaled);
    }
};

// Everything the headers say about the picture, checked against the file's size.
struct DibLayout {
    std::int32_t width = 0;
    std::int64_t height = 0;  // as stored: negative for top-down rows
    std::uint16_t bitCount = 0;
    std::uint32_t compression = BI_RGB;
    std::array<std::uint32_t, 3> masks{};
    // Colour table as packed red, green, blue, 0; entries past the file's table are black.
    std::array<std::uint32_t, 256> palette{};
    std::size_t pixelOffset = 0;

    std::int64_t rows() const { return height < 0 ? -height : height; }
    bool topDown() const { return height < 0; }
};

std::uint32_t rgbEntry(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    // Laid out so that the first three bytes in memory are red, green, blue.
    std::uint32_t entry = 0;
    const std::uint8_t bytes[4] = {red, green, blue, 0};
    std::memcpy(&entry, bytes, 4);
    return entry;
}

std::variant<DibLayout, DibError> readLayout(std::span<const std::uint8_t> file)
{
    const std::uint8_t* data = file.data();
    const std::size_t size = file.size();
    const bool hasFileHeader = size >= 2 && data[0] == 'B' && data[1] == 'M';
    const std::size_t headerOffset = hasFileHeader ? fileHeaderSize : 0;
    if (size < headerOffset + 4)
        return DibError::UnknownFormat;
    const std::uint8_t* header = data + headerOffset;
    const std::uint32_t headerSize = le32(header);
    // Later, larger header versions are refused as the original platform reader did.
    if ((headerSize != coreHeaderSize && headerSize != infoHeaderSize) || size - headerOffset < headerSize)
        return DibError::UnknownFormat;

    DibLayout layout;
    const std::uint32_t colours = countDibColours(header);
    std::size_t entrySize = 4;
    std::size_t maskBytes = 0;
    if (headerSize == coreHeaderSize) {
        layout.width = le16(header + 4);
        layout.height = le16(header + 6);
        layout.bitCount = le16(header + 10);
        entrySize = 3;
    } else {
        layout.width = std::int32_t(le32(header + 4));
        layout.height = std::int32_t(le32(header + 8));
        layout.bitCount = le16(header + 14);
        layout.compression = le32(header + 16);
        if (layout.compression == BI_BITFIELDS)
            maskBytes = 12;
    }

    // The platform could not make a section this big (or this empty) either.
    if (layout.width <= 0 || layout.height == 0)
        return DibError::OutOfMemory;
    if (std::uint64_t(layout.width) * std::uint64_t(layout.rows()) * 3 > maxDibImageBytes)
        return DibError::OutOfMemory;

    const std::size_t masksAt = headerOffset + headerSize;
    const std::size_t tableAt = masksAt + maskBytes;
    const std::size_t tableEnd = tableAt + colours * entrySize;
    if (tableEnd > size)
        return DibError::ConversionFailed;
    for (std::size_t i = 0; i < maskBytes / 4; ++i)
        layout.masks[i] = le32(data + masksAt + 4 * i);
    for (std::size_t i = 0; i < std::min<std::size_t>(colours, layout.palette.size()); ++i) {
        const std::uint8_t* entry = data + tableAt + i * entrySize;
        layout.palette[i] = rgbEntry(entry[2], entry[1], entry[0]);
    }

    layout.pixelOffset = hasFileHeader ? le32(data + 10) : tableEnd;
    if (layout.pixelOffset > size)
        return DibError::ConversionFailed;
    return layout;
}

bool knownKind(const DibLayout& layout)
{
    switch (layout.compression) {
    case BI_RGB:
        return layout.bitCount == 1 || layout.bitCount == 4 || layout.bitCount == 8 || layout.bitCount == 16 ||
               layout.bitCount == 24 || layout.bitCount == 32;
    case BI_RLE8:
        return layout.bitCount == 8 && !layout.topDown();
    case BI_RLE4:
        return layout.bitCount == 4 && !layout.topDown();
    case BI_BITFIELDS:
        return layout.bitCount == 16 || layout.bitCount == 32;
    default:
        return false;
    }
}

}  // namespace

std::uint16_t countDibColours(const std::uint8_t* header)
{
    std::uint16_t bitCount;
    if (le32(header) == coreHeaderSize) {
        bitCount = le16(header + 10);
    } else {
        if (const std::uint32_t used = le32(header + 32))
            return std::uint16_t(used);
        bitCount = le16(header + 14);
    }
    switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

namespace {

using PixelBlock = platform::MemoryBlock;

PixelBlock allocatePixels(std::size_t bytes, bool black)
{
    return PixelBlock(static_cast<std::uint8_t*>(black ? std::calloc(bytes, 1) : std::malloc(bytes)));
}

void putIndex(const DibLayout& layout, unsigned index, std::uint8_t* out)
{
    std::memcpy(out, &layout.palette[index], 3);
}

// Turns each stored row into an output row; top-down files land bottom row first too.
template <typename RowConverter>
void convertRows(const DibLayout& layout, const std::uint8_t* rows, std::size_t stride, std::uint8_t* out,
                 RowConverter&& convert)
{
    const std::size_t outStride = std::size_t(layout.width) * 3;
    const std::int64_t count = layout.rows();
    for (std::int64_t row = 0; row < count; ++row) {
        const std::int64_t target = layout.topDown() ? count - 1 - row : row;
        convert(rows + std::size_t(row) * stride, out + std::size_t(target) * outStride);
    }
}

template <typename Pixel>
Pixel readPixel(const std::uint8_t* in)
{
    if constexpr (sizeof(Pixel) == 2)
        return le16(in);
    else
        return le32(in);
}

// 16- and 32-bit pixels, taken apart with their three channel masks.
template <typename Pixel>
void convertMasked(const DibLayout& layout, const std::uint8_t* rows, std::size_t stride, std::uint8_t* out,
                   const std::array<std::uint32_t, 3>& masks)
{
    const ChannelMask red(masks[0]), green(masks[1]), blue(masks[2]);
    const std::int32_t width = layout.width;
    convertRows(layout, rows, stride, out, [&](const std::uint8_t* in, std::uint8_t* to) {
        for (std::int32_t x = 0; x < width; ++x, in += sizeof(Pixel), to += 3) {
            const std::uint32_t pixel = readPixel<Pixel>(in);
            to[0] = red(pixel);
            to[1] = green(pixel);
            to[2] = blue(pixel);
        }
    });
}

// Blue, green, red bytes (and a fourth one for 32 bits) become red, green, blue.
void convertBgr(const DibLayout& layout, const std::uint8_t* rows, std::size_t stride, std::uint8_t* out,
                int bytesPerPixel)
{
    const std::int32_t width = layout.width;
    convertRows(layout, rows, stride, out, [=](const std::uint8_t* in, std::uint8_t* to) {
        bgrToRgbRow(in, to, width, bytesPerPixel);
    });
}

template <int Bits>
void convertIndexed(const DibLayout& layout, const std::uint8_t* rows, std::size_t stride, std::uint8_t* out)
{
    constexpr int perByte = 8 / Bits;
    constexpr unsigned lowBits = (1u << Bits) - 1;
    const std::int32_t width = layout.width;
    const auto index = [](const std::uint8_t* in, std::int32_t x) {
        return (in[x / perByte] >> (8 - Bits * (x % perByte + 1))) & lowBits;
    };
    const auto& palette = layout.palette;
    convertRows(layout, rows, stride, out, [&](const std::uint8_t* in, std::uint8_t* to) {
        std::int32_t x = 0;
        // Four pixels, twelve bytes, in two stores (entries read as numbers are 0x00BBGGRR).
        for (; std::endian::native == std::endian::little && x + 4 <= width; x += 4, to += 12) {
            const std::uint64_t p0 = palette[index(in, x)], p1 = palette[index(in, x + 1)],
                                p2 = palette[index(in, x + 2)], p3 = palette[index(in, x + 3)];
            const std::uint64_t low = p0 | p1 << 24 | p2 << 48;
            const std::uint32_t high = std::uint32_t(p2 >> 16 | p3 << 8);
            std::memcpy(to, &low, 8);
            std::memcpy(to + 8, &high, 4);
        }
        for (; x < width; ++x, to += 3)
            putIndex(layout, index(in, x), to);
    });
}

std::variant<RgbImage, DibError> decodeUncompressed(std::span<const std::uint8_t> file, const DibLayout& layout)
{
    const std::uint64_t bitsPerRow = std::uint64_t(layout.bitCount) * std::uint64_t(layout.width);
    const std::uint64_t stride = (bitsPerRow + 31) / 32 * 4;
    // The last row's padding may be missing; its pixels may not.
    const std::uint64_t needed = stride * std::uint64_t(layout.rows() - 1) + (bitsPerRow + 7) / 8;
    if (needed > file.size() - layout.pixelOffset)
        return DibError::ConversionFailed;

    const std::size_t bytes = std::size_t(layout.width) * std::size_t(layout.rows()) * 3;
    PixelBlock pixels = allocatePixels(bytes, false);
    if (!pixels)
        return DibError::OutOfMemory;
    const std::uint8_t* rows = file.data() + layout.pixelOffset;
    std::uint8_t* out = pixels.get();
    const bool masked = layout.compression == BI_BITFIELDS;
    switch (layout.bitCount) {
    case 1: convertIndexed<1>(layout, rows, stride, out); break;
    case 4: convertIndexed<4>(layout, rows, stride, out); break;
    case 8: convertIndexed<8>(layout, rows, stride, out); break;
    case 16:
        convertMasked<std::uint16_t>(layout, rows, stride, out,
                                     masked ? layout.masks : std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F});
        break;
    case 24: convertBgr(layout, rows, stride, out, 3); break;
    case 32:
        if (masked && layout.masks != std::array<std::uint32_t, 3>{0xFF0000, 0xFF00, 0xFF})
            convertMasked<std::uint32_t>(layout, rows, stride, out, layout.masks);
        else
            convertBgr(layout, rows, stride, out, 4);
        break;
    }
    return RgbImage{layout.width, std::int32_t(layout.rows()), std::move(pixels)};
}

// Run-length encoded pixels (8 or 4 bits), bottom row first. Pixels the runs skip stay black;
// runs past the right edge are cut off. A stream that ends before its last row or its
// end-of-picture mark is a conversion error.
std::variant<RgbImage, DibError> decodeRunLength(std::span<const std::uint8_t> file, const DibLayout& layout)
{
    const std::int32_t width = layout.width;
    const std::int64_t height = layout.rows();
    PixelBlock pixels = allocatePixels(std::size_t(width) * std::size_t(height) * 3, true);
    if (!pixels)
        return DibError::OutOfMemory;
    const bool fourBit = layout.compression == BI_RLE4;
    const std::uint8_t* data = file.data();
    const std::size_t end = file.size();
    std::size_t at = layout.pixelOffset;
    std::int64_t x = 0, y = 0;

    auto put = [&](unsigned index) {
        if (x < width)
            putIndex(layout, index, pixels.get() + (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3);
        ++x;
    };

    while (y < height) {
        if (end - at < 2)
            return DibError::ConversionFailed;
        const std::uint8_t count = data[at], value = data[at + 1];
        at += 2;
        if (count > 0) {  // a run of one colour, or of two alternating ones
            for (unsigned i = 0; i < count; ++i)
                put(fourBit ? (i % 2 ? value & 0x0F : value >> 4) : value);
            continue;
        }
        switch (value) {
        case 0:  // end of line
            x = 0;
            ++y;
            break;
        case 1:  // end of picture
            return RgbImage{width, std::int32_t(height), std::move(pixels)};
        case 2:  // move right and up
            if (end - at < 2)
                return DibError::ConversionFailed;
            x += data[at];
            y += data[at + 1];
            at += 2;
            break;
        default: {  // `value` pixels stored as they are, padded to a 16-bit boundary
            const std::size_t bytes = fourBit ? (value + 1u) / 2 : value;
            if (end - at < bytes)
                return DibError::ConversionFailed;
            for (unsigned i = 0; i < value; ++i)
                put(fourBit ? (i % 2 ? data[at + i / 2] & 0x0F : data[at + i / 2] >> 4) : data[at + i]);
            at += std::min(end - at, bytes + bytes % 2);
        }
        }
    }
    return RgbImage{width, std::int32_t(height), std::move(pixels)};
}

}  // namespace

std::string dibErrorText(DibError error, const std::string& path)
{
    switch (error) {
    case DibError::OpenFailed: return "Failed to open DIB file " + path + ".\n";
    case DibError::UnknownFormat: return "Unknown DIB file format.";
    case DibError::OutOfMemory: return "Out of memory.";
    case DibError::ConversionFailed: break;
    }
    return "Image file conversion error.";
}

std::variant<RgbImage, DibError> decodeDib(std::span<const std::uint8_t> file)
{
    auto read = readLayout(file);
    if (auto* error = std::get_if<DibError>(&read))
        return *error;
    const DibLayout& layout = std::get<DibLayout>(read);
    if (!knownKind(layout))
        return DibError::ConversionFailed;
    if (layout.compression == BI_RLE8 || layout.compression == BI_RLE4)
        return decodeRunLength(file, layout);
    return decodeUncompressed(file, layout);
}

namespace {

void showReaderMessage(const std::string& text)
{
    platform::messageBox(platform::nativeWindow(platform::focusWindow()), text, "Error");
}

}  // namespace

std::unique_ptr<RgbImage> loadDibImage(const char* path)
{
    const std::string name = path ? path : "";
    platform::FileReader file(name);
    return loadDibImage(file, name);
}

std::unique_ptr<RgbImage> loadDibImage(platform::FileReader& file, const std::string& path)
{
    // What was read of a file cut short is still decoded: its message says what is wrong.
    platform::FileBytes bytes;
    file.readAll(bytes);
    DibError error = DibError::OpenFailed;
    if (bytes.valid()) {
        auto result = decodeDib(bytes.bytes());
        if (auto* image = std::get_if<RgbImage>(&result))
            return std::make_unique<RgbImage>(std::move(*image));
        error = std::get<DibError>(result);
    }
    showReaderMessage(dibErrorText(error, path));
    return nullptr;
}
