// The bitmap reader on files of every kind, written by the test's own BMP writer, and on
// damaged ones: the picture comes out bottom row first, red first, unpadded; bad files give
// one of the four messages and never a crash.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <ostream>

#include "platform/message_box.h"
#include "renderer/dib_reader.h"
#include "renderer/texture_loader.h"
#include "tests/support/bmp_writer.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {

struct ShownMessage {
    platform::NativeWindow owner;
    std::string text, caption;
};

// Each test gets a folder of its own and sees the message boxes the reader shows.
class DibReader : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::captureMessageBoxes([this](platform::NativeWindow owner, const std::string& text,
                                             const std::string& caption) {
            messages.push_back({owner, text, caption});
        });
    }
    void TearDown() override
    {
        platform::captureMessageBoxes({});
    }

    std::string write(const std::vector<std::uint8_t>& bytes, const std::string& name = "picture.bmp")
    {
        const std::string path = folder + "/" + name;
        writeFile(path, bytes);
        return path;
    }

    // The reader's single message for a file that fails, checked to come with the right caption.
    std::string failureText(const std::vector<std::uint8_t>& bytes)
    {
        messages.clear();
        const auto image = loadDibImage(write(bytes).c_str());
        EXPECT_EQ(image, nullptr);
        if (messages.size() != 1) {
            // Built up in steps: g++ 12's -O2 warns of a false overlap (-Wrestrict) in
            // `"(" + std::to_string(n)`.
            std::string count = "(";
            count += std::to_string(messages.size());
            return count + " messages)";
        }
        EXPECT_EQ(messages[0].caption, "Error");
        EXPECT_EQ(messages[0].owner, 0u) << "no window has the focus in a unit test";
        return messages[0].text;
    }

    testing_support::TempFolder temporary;
    std::string folder = temporary.path();
    std::vector<ShownMessage> messages;
};

std::vector<BmpColour> greyRamp(int entries)
{
    std::vector<BmpColour> palette;
    for (int i = 0; i < entries; ++i)
        palette.push_back({std::uint8_t(i * 7 + 1), std::uint8_t(255 - i), std::uint8_t(i * 3)});
    return palette;
}

// Colours every depth holds exactly: green only full or empty (6-bit green), red and blue also
// 0x84 (a 5-bit 10000, repeated into the low bits).
constexpr std::uint32_t exactColours[] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00,
                                          0x0000FF, 0x840084, 0x84FF84, 0xFF00FF};

// What the reader must give: bottom row first, three bytes a pixel, red first.
std::vector<std::uint8_t> expectedRgb(const BmpPicture& picture, const BmpOptions& options)
{
    std::vector<std::uint8_t> rgb;
    const std::size_t tableSize =
        options.bitCount <= 8 ? std::min<std::size_t>(options.palette.size(), std::size_t(1) << options.bitCount) : 0;
    for (int y = picture.height - 1; y >= 0; --y)
        for (int x = 0; x < picture.width; ++x) {
            std::uint32_t p = picture.at(x, y);
            if (options.bitCount <= 8) {
                const BmpColour c = p < tableSize ? options.palette[p] : BmpColour{};
                p = std::uint32_t(c.r) << 16 | std::uint32_t(c.g) << 8 | c.b;
            }
            rgb.insert(rgb.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p)});
        }
    return rgb;
}

struct FormatCase {
    std::string name;
    BmpOptions options;
    int width = 13;  // rows never a multiple of 4 bytes: the padding must be skipped
    int height = 7;
};

// By name: the listing of the tests (and so CTest's names for them) stays the same from build to
// build, where printing the bytes would show addresses.
void PrintTo(const FormatCase& format, std::ostream* out) { *out << format.name; }

BmpOptions indexed(int bits, BmpHeader header = BmpHeader::Info)
{
    BmpOptions o;
    o.bitCount = bits;
    o.header = header;
    o.palette = greyRamp(1 << bits);
    return o;
}

BmpOptions direct(int bits, BmpCompression compression = BmpCompression::Rgb,
                  std::array<std::uint32_t, 3> masks = {0x7C00, 0x03E0, 0x001F})
{
    BmpOptions o;
    o.bitCount = bits;
    o.compression = compression;
    o.masks = masks;
    return o;
}

template <typename Change>
BmpOptions with(BmpOptions o, Change change)
{
    change(o);
    return o;
}

std::vector<FormatCase> formatCases()
{
    const auto packed = [](BmpOptions& o) { o.fileHeader = false; };
    const auto topDown = [](BmpOptions& o) { o.topDown = true; };
    const auto rle = [](BmpCompression c) { return [c](BmpOptions& o) { o.compression = c; }; };
    return {
        {"Info1", indexed(1)},
        {"Info4", indexed(4)},
        {"Info8", indexed(8)},
        {"Info16Rgb555", direct(16)},
        {"Info24", direct(24)},
        {"Info32", direct(32)},
        {"Info16Bitfields565", direct(16, BmpCompression::Bitfields, {0xF800, 0x07E0, 0x001F})},
        {"Info16Bitfields555", direct(16, BmpCompression::Bitfields, {0x7C00, 0x03E0, 0x001F})},
        {"Info32BitfieldsStandard", direct(32, BmpCompression::Bitfields, {0xFF0000, 0xFF00, 0xFF})},
        {"Info32BitfieldsBlueFirst", direct(32, BmpCompression::Bitfields, {0xFF, 0xFF00, 0xFF0000})},
        {"Info32Bitfields101010", direct(32, BmpCompression::Bitfields, {0x3FF00000, 0xFFC00, 0x3FF})},
        {"Core1", indexed(1, BmpHeader::Core)},
        {"Core4", indexed(4, BmpHeader::Core)},
        {"Core8", indexed(8, BmpHeader::Core)},
        {"Core24", with(direct(24), [](BmpOptions& o) { o.header = BmpHeader::Core; })},
        {"PackedInfo8", with(indexed(8), packed)},
        {"PackedInfo24", with(direct(24), packed)},
        {"PackedCore4", with(indexed(4, BmpHeader::Core), packed)},
        {"PackedBitfields16", with(direct(16, BmpCompression::Bitfields, {0xF800, 0x07E0, 0x001F}), packed)},
        {"PackedColoursUsed20", with(indexed(8), [](BmpOptions& o) { o.fileHeader = false, o.palette.resize(20); })},
        {"Rle8", with(indexed(8), rle(BmpCompression::Rle8))},
        {"Rle4", with(indexed(4), rle(BmpCompression::Rle4))},
        {"PackedRle8", with(with(indexed(8), rle(BmpCompression::Rle8)), packed)},
        {"Rle8Wide", with(indexed(8), rle(BmpCompression::Rle8)), 600, 3},
        {"TopDown24", with(direct(24), topDown)},
        {"TopDown8", with(indexed(8), topDown)},
        {"TopDownPackedBitfields32", with(direct(32, BmpCompression::Bitfields, {0xFF, 0xFF00, 0xFF0000}),
                                          [](BmpOptions& o) { o.topDown = true, o.fileHeader = false; })},
        {"Width1023", direct(24), 1023, 5},
        {"Width1023Info8", indexed(8), 1023, 3},
        {"Width1023Info4", indexed(4), 1023, 3},
        {"Width1023Info32", direct(32), 1023, 3},
        {"Width1023TopDown32Bitfields", with(direct(32, BmpCompression::Bitfields, {0xFF0000, 0xFF00, 0xFF}), topDown),
         1023, 3},
        {"Width1023TopDown24", with(direct(24), topDown), 1023, 3},
    };
}

class DibFormats : public DibReader, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(DibFormats, GivesTheSamePictureBottomRowFirstRedFirstUnpadded)
{
    const FormatCase& c = GetParam();
    const bool isIndexed = c.options.bitCount <= 8;
    // Runs of equal pixels and stretches of different ones, so run-length files use both modes.
    const int colours = isIndexed ? std::min(1 << c.options.bitCount, 24) : 8;
    const BmpPicture picture = makePicture(c.width, c.height, [&](int x, int y) -> std::uint32_t {
        const int n = (x / (1 + y % 3) + 5 * y) % colours;
        return isIndexed ? std::uint32_t(n) : exactColours[n];
    });

    const auto image = loadDibImage(write(encodeBmp(picture, c.options)).c_str());
    ASSERT_NE(image, nullptr) << (messages.empty() ? "" : messages[0].text);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(image->width, c.width);
    EXPECT_EQ(image->height, c.height);
    const std::vector<std::uint8_t> expected = expectedRgb(picture, c.options);
    const std::vector<std::uint8_t> actual(image->pixels.get(), image->pixels.get() + expected.size());
    EXPECT_EQ(actual, expected);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, DibFormats, ::testing::ValuesIn(formatCases()),
                         [](const auto& info) { return info.param.name; });

TEST(CountDibColours, FollowsTheHeaderKindColoursUsedAndBitCount)
{
    struct Case {
        BmpOptions options;
        std::uint16_t count;
    };
    const BmpPicture one = makePicture(1, 1, [](int, int) { return 0u; });
    const std::vector<Case> cases = {
        {indexed(1, BmpHeader::Core), 2},
        {indexed(4, BmpHeader::Core), 16},
        {indexed(8, BmpHeader::Core), 256},
        {with(direct(24), [](BmpOptions& o) { o.header = BmpHeader::Core; }), 0},
        {indexed(1), 2},
        {indexed(8), 256},
        {with(indexed(8), [](BmpOptions& o) { o.coloursUsed = 20; }), 20},
        {with(indexed(8), [](BmpOptions& o) { o.coloursUsed = 0x10014; }), 20},  // cut to 16 bits
        {direct(16), 0},
        {direct(24), 0},
        {with(direct(24), [](BmpOptions& o) { o.coloursUsed = 5; }), 5},
        {direct(32), 0},
    };
    for (const Case& c : cases) {
        const std::vector<std::uint8_t> file = encodeBmp(one, with(c.options, [](BmpOptions& o) { o.fileHeader = false; }));
        EXPECT_EQ(countDibColours(file.data()), c.count) << "bits " << c.options.bitCount;
    }
}

TEST_F(DibReader, ColoursUsedDecidesTheTableAndIndexesPastItAreBlack)
{
    // 20 entries, then pixel data: index 19 is the table's last colour, 25 lies past it.
    BmpOptions options = indexed(8);
    options.palette.resize(20);
    const BmpPicture picture = makePicture(3, 1, [](int x, int) { return std::uint32_t(std::array{0, 19, 25}[x]); });
    const auto image = loadDibImage(write(encodeBmp(picture, options)).c_str());
    ASSERT_NE(image, nullptr);
    const BmpColour last = options.palette[19];
    const std::vector<std::uint8_t> expected = {1, 255, 0, last.r, last.g, last.b, 0, 0, 0};
    EXPECT_EQ(std::vector<std::uint8_t>(image->pixels.get(), image->pixels.get() + 9), expected);
}

TEST_F(DibReader, SixteenBitChannelsRepeatTheirBitsIntoTheLowBits)
{
    // 0x4210: 10000 in each of the three 5-bit fields, the top bit unused.
    BmpOptions options = direct(16);
    options.pixelData = std::vector<std::uint8_t>{0x10, 0x42, 0xFF, 0x7F};
    const auto image = loadDibImage(write(encodeBmp(makePicture(2, 1, [](int, int) { return 0u; }), options)).c_str());
    ASSERT_NE(image, nullptr);
    const std::vector<std::uint8_t> expected = {0x84, 0x84, 0x84, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(std::vector<std::uint8_t>(image->pixels.get(), image->pixels.get() + 6), expected);
}

TEST_F(DibReader, AnEmptyChannelMaskGivesAnEmptyChannel)
{
    // Found by fuzzing: a zero mask once made the bit repetition loop for ever.
    BmpOptions options = direct(16, BmpCompression::Bitfields, {0xF800, 0, 0x001F});
    const auto image = loadDibImage(write(encodeBmp(makePicture(1, 1, [](int, int) { return 0xFFFFFFu; }), options)).c_str());
    ASSERT_NE(image, nullptr);
    const std::vector<std::uint8_t> expected = {0xFF, 0x00, 0xFF};
    EXPECT_EQ(std::vector<std::uint8_t>(image->pixels.get(), image->pixels.get() + 3), expected);
}

TEST_F(DibReader, FlakePictureOf64By64Gives12288Bytes)
{
    const BmpPicture flake = makePicture(64, 64, [](int x, int y) { return std::uint32_t(x * 4 << 16 | y * 4); });
    const auto image = loadDibImage(write(encodeBmp(flake, direct(24))).c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 64);
    EXPECT_EQ(image->height, 64);
    // Bottom row first: its left pixel is (0, 63) of the picture.
    EXPECT_EQ(image->pixels[0], 0);
    EXPECT_EQ(image->pixels[2], 252);
    EXPECT_EQ(image->pixels[12288 - 3], 252) << "the last byte of 12,288: top row, right pixel";
    EXPECT_EQ(image->pixels[12288 - 1], 0);
}

TEST_F(DibReader, RunLengthDeltasSkipPixelsAndRunsStopAtTheRightEdge)
{
    BmpOptions options = indexed(8);
    options.compression = BmpCompression::Rle8;
    options.pixelData = std::vector<std::uint8_t>{
        6, 1,           // row 0: six pixels of colour 1 on a row of four: the rest is cut off
        0, 0,           // end of line
        0, 2, 2, 1,     // move two right and one up: row 1 untouched, row 2 from x = 2
        1, 3,           // one pixel of colour 3 at (2, 2)
        0, 3, 4, 5, 6, 0,  // absolute: colours 4, 5, 6 from x = 3 (cut at the edge), padded
        0, 1,           // end of the picture: row 3 stays black
    };
    const auto image = loadDibImage(write(encodeBmp(makePicture(4, 4, [](int, int) { return 0u; }), options)).c_str());
    ASSERT_NE(image, nullptr) << (messages.empty() ? "" : messages[0].text);
    auto colourAt = [&](int x, int row) {
        const std::uint8_t* p = image->pixels.get() + (row * 4 + x) * 3;
        return BmpColour{p[0], p[1], p[2]};
    };
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(colourAt(x, 0), options.palette[1]);
        EXPECT_EQ(colourAt(x, 1), BmpColour{});
        EXPECT_EQ(colourAt(x, 3), BmpColour{});
    }
    EXPECT_EQ(colourAt(1, 2), BmpColour{});
    EXPECT_EQ(colourAt(2, 2), options.palette[3]);
    EXPECT_EQ(colourAt(3, 2), options.palette[4]);
}

TEST_F(DibReader, EveryFailureShowsItsOneMessage)
{
    const BmpPicture small = makePicture(4, 4, [](int x, int) { return std::uint32_t(x); });
    const auto header = [&](BmpOptions o, auto change) {
        std::vector<std::uint8_t> file = encodeBmp(small, o);
        change(file);
        return file;
    };
    const auto setInt32 = [](std::size_t at, std::uint32_t value) {
        return [=](std::vector<std::uint8_t>& f) {
            for (int i = 0; i < 4; ++i)
                f[at + i] = std::uint8_t(value >> (8 * i));
        };
    };
    const auto setInt16 = [](std::size_t at, std::uint16_t value) {
        return [=](std::vector<std::uint8_t>& f) { f[at] = std::uint8_t(value), f[at + 1] = std::uint8_t(value >> 8); };
    };
    const std::string unknown = "Unknown DIB file format.", memory = "Out of memory.",
                      conversion = "Image file conversion error.";

    EXPECT_EQ(failureText(encodeBmp(small, with(direct(24), [](BmpOptions& o) { o.header = BmpHeader::V4; }))),
              unknown);
    EXPECT_EQ(failureText(encodeBmp(small, with(direct(24), [](BmpOptions& o) { o.header = BmpHeader::V5; }))),
              unknown);
    EXPECT_EQ(failureText({'B', 'M', 1, 2, 3}), unknown) << "no room for the header";
    EXPECT_EQ(failureText({40, 0, 0, 0, 4, 0}), unknown) << "a packed header cut short";
    EXPECT_EQ(failureText({'h', 'e', 'l', 'l', 'o'}), unknown);

    // 18 + 4: width and height of the information header in a file with a file header.
    EXPECT_EQ(failureText(header(direct(24), setInt32(18, 100000))), conversion) << "100000 wide, data for 4";
    EXPECT_EQ(failureText(header(direct(24), [&](auto& f) { setInt32(18, 100000)(f), setInt32(22, 100000)(f); })),
              memory);
    EXPECT_EQ(failureText(header(direct(24), [&](auto& f) { setInt32(18, 20000)(f), setInt32(22, 20000)(f); })),
              memory);
    EXPECT_EQ(failureText(header(direct(24), setInt32(22, 0x80000000))), memory) << "the lowest height there is";
    EXPECT_EQ(failureText(header(direct(24), setInt32(18, 0))), memory);
    EXPECT_EQ(failureText(header(direct(24), setInt32(18, std::uint32_t(-4)))), memory);
    EXPECT_EQ(failureText(header(direct(24), setInt32(22, 0))), memory);
    EXPECT_EQ(failureText(header(with(direct(24), [](BmpOptions& o) { o.header = BmpHeader::Core; }),
                                 [&](auto& f) { setInt16(18, 0xFFFF)(f), setInt16(20, 0xFFFF)(f); })),
              memory)
        << "the largest core picture, 65535 x 65535";

    EXPECT_EQ(failureText(header(direct(24), setInt16(28, 2))), conversion) << "2 bits a pixel";
    EXPECT_EQ(failureText(header(direct(24), setInt16(28, 0))), conversion);
    EXPECT_EQ(failureText(header(direct(24), setInt32(30, 3))), conversion) << "bit fields on 24 bits";
    EXPECT_EQ(failureText(header(direct(24), setInt32(30, 4))), conversion) << "JPEG inside";
    EXPECT_EQ(failureText(header(indexed(4), setInt32(30, 1))), conversion) << "RLE8 on 4 bits";
    EXPECT_EQ(failureText(header(with(indexed(8), [](BmpOptions& o) { o.compression = BmpCompression::Rle8; }),
                                 setInt32(22, std::uint32_t(-4)))),
              conversion)
        << "run-length rows can't be top-down";
    EXPECT_EQ(failureText(header(direct(24), setInt32(10, 1000))), conversion) << "pixel data past the end";
    EXPECT_EQ(failureText(header(indexed(8), setInt32(46, 5000))), conversion) << "colour table past the end";
}

TEST_F(DibReader, EmptyFilesAndFoldersCantBeOpened)
{
    const std::string empty = write({});
    EXPECT_EQ(loadDibImage(empty.c_str()), nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Failed to open DIB file " + empty + ".\n");

    messages.clear();
    EXPECT_EQ(loadDibImage(folder.c_str()), nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Failed to open DIB file " + folder + ".\n");
}

// Every prefix of a good file, in memory of exactly that size (so the sanitizers see any read
// past it): an error, or, for a file cut inside the last row's padding only, the picture.
TEST(DibTruncation, EveryCutShortFileIsRefusedWithoutReadingPastItsEnd)
{
    const BmpPicture picture = makePicture(5, 3, [](int x, int y) { return std::uint32_t((x + y) % 4); });
    const std::vector<BmpOptions> kinds = {
        direct(24), indexed(8), indexed(4, BmpHeader::Core),
        with(indexed(8), [](BmpOptions& o) { o.compression = BmpCompression::Rle8; }),
        with(indexed(4), [](BmpOptions& o) { o.compression = BmpCompression::Rle4, o.fileHeader = false; }),
        direct(16, BmpCompression::Bitfields, {0xF800, 0x07E0, 0x001F}),
    };
    for (const BmpOptions& kind : kinds) {
        const std::vector<std::uint8_t> file = encodeBmp(picture, kind);
        const std::size_t lastRowPadding = kind.compression == BmpCompression::Rgb ||
                                                   kind.compression == BmpCompression::Bitfields
                                               ? (4 - (5 * kind.bitCount + 7) / 8 % 4) % 4
                                               : 0;
        for (std::size_t size = 0; size < file.size(); ++size) {
            const std::vector<std::uint8_t> cut(file.begin(), file.begin() + std::ptrdiff_t(size));
            const auto result = decodeDib(cut);
            if (size < file.size() - lastRowPadding) {
                EXPECT_TRUE(std::holds_alternative<DibError>(result)) << "bits " << kind.bitCount << ", " << size;
            }
        }
    }
}

TEST_F(DibReader, LoadBitmapFileIsSilentAboutMissingFiles)
{
    EXPECT_EQ(loadBitmapFile(nullptr), nullptr);
    EXPECT_EQ(loadBitmapFile((folder + "/missing.bmp").c_str()), nullptr);
    EXPECT_TRUE(messages.empty());
    // A folder can't be opened as a file on Windows either: no message.
    const std::string folderInstead = folder + "/Hoarveil1.bmp";
    ASSERT_TRUE(std::filesystem::create_directory(folderInstead));
    EXPECT_EQ(loadBitmapFile(folderInstead.c_str()), nullptr);
    EXPECT_TRUE(messages.empty()) << messages.front().text;

    const BmpPicture picture = makePicture(2, 2, [](int, int) { return 0x102030u; });
    const auto image = loadBitmapFile(write(encodeBmp(picture, direct(24))).c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->pixels[0], 0x10);

    EXPECT_EQ(loadBitmapFile(write({}, "empty.bmp").c_str()), nullptr);
    EXPECT_EQ(messages.size(), 1u) << "an empty file passes the check and the reader reports it";
}

}  // namespace
