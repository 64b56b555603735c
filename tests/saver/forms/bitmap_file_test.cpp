// Saving a picture as a bitmap file: the format the renderer reads, and a file that stays private
// and is never written through a link someone planted.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "renderer/dib_reader.h"
#include "saver/forms/bitmap_file.h"
#include "tests/support/temp_folder.h"

using forms::Colour;
using forms::RgbSurface;

namespace {

std::uint32_t field32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    std::uint32_t value;
    std::memcpy(&value, &bytes[at], 4);
    return value;
}

std::uint16_t field16(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    std::uint16_t value;
    std::memcpy(&value, &bytes[at], 2);
    return value;
}

std::vector<std::uint8_t> readAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// 3 x 2: a width whose rows need padding, and a distinct colour in every pixel.
RgbSurface smallPicture()
{
    RgbSurface picture(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            picture.setPixel(x, y, {std::uint8_t(10 + x), std::uint8_t(20 + y), std::uint8_t(30 + x + 3 * y)});
    return picture;
}

class SavedPicture : public ::testing::Test {
protected:
    SavedPicture() : folder(temporary.path()), path(folder + "/Hoarveil1.bmp") {}

    std::size_t filesInFolder() const
    {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
    }

    testing_support::TempFolder temporary;
    std::string folder, path;
};

}  // namespace

TEST(BitmapEncoding, HeadersAndPixelsAreThoseOfAnUncompressed24BitBottomUpBitmap)
{
    const auto bytes = forms::encodeBitmap(smallPicture());
    ASSERT_EQ(bytes.size(), 14u + 40u + 2 * 12u);  // rows of 9 bytes padded to 12
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(field32(bytes, 2), bytes.size());
    EXPECT_EQ(field32(bytes, 10), 54u);
    EXPECT_EQ(field32(bytes, 14), 40u);
    EXPECT_EQ(field32(bytes, 18), 3u);
    EXPECT_EQ(static_cast<std::int32_t>(field32(bytes, 22)), 2);  // positive: bottom row first
    EXPECT_EQ(field16(bytes, 26), 1u);
    EXPECT_EQ(field16(bytes, 28), 24u);
    EXPECT_EQ(field32(bytes, 30), 0u);
    EXPECT_EQ(field32(bytes, 34), 24u);
    // The first stored row is the bottom one, each pixel blue, green, red.
    EXPECT_EQ(bytes[54], 30 + 3);
    EXPECT_EQ(bytes[55], 21);
    EXPECT_EQ(bytes[56], 10);
    EXPECT_EQ(bytes[66], 30);  // top row, first pixel
}

TEST(BitmapEncoding, TheRendererReadsWhatTheSaverWritesAndSoDoesTheSaver)
{
    const RgbSurface picture = smallPicture();
    const auto bytes = forms::encodeBitmap(picture);
    auto decoded = decodeDib(bytes);
    ASSERT_TRUE(std::holds_alternative<RgbImage>(decoded));
    const RgbImage& image = std::get<RgbImage>(decoded);
    ASSERT_EQ(image.width, 3);
    ASSERT_EQ(image.height, 2);
    // The renderer's rows are bottom row first, too.
    EXPECT_EQ(image.pixels[0], 10);
    EXPECT_EQ(image.pixels[1], 21);
    EXPECT_EQ(image.pixels[2], 33);

    const RgbSurface back = forms::decodeBitmap(bytes);
    ASSERT_EQ(back.width(), 3);
    ASSERT_EQ(back.height(), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(back.pixel(x, y), picture.pixel(x, y)) << x << "," << y;
}

TEST(BitmapEncoding, DecodingRefusesWhatIsNoUncompressed24BitBitmap)
{
    auto bytes = forms::encodeBitmap(smallPicture());
    EXPECT_TRUE(forms::decodeBitmap(std::span(bytes).first(60)).empty());  // cut short
    auto paletted = bytes;
    paletted[28] = 8;
    EXPECT_TRUE(forms::decodeBitmap(paletted).empty());
    auto huge = bytes;
    huge[18] = 200;  // a width the data cannot hold
    EXPECT_TRUE(forms::decodeBitmap(huge).empty());
    EXPECT_TRUE(forms::decodeBitmap({}).empty());
}

TEST_F(SavedPicture, IsReadableByTheUserAloneWhateverTheUmask)
{
    const mode_t previous = umask(0);
    forms::savePicture(smallPicture(), path);
    umask(previous);
    struct stat saved;
    ASSERT_EQ(stat(path.c_str(), &saved), 0);
    EXPECT_EQ(saved.st_mode & 0777, 0600u);
    EXPECT_EQ(readAll(path), forms::encodeBitmap(smallPicture()));
}

TEST_F(SavedPicture, ReplacesTheOldFileWholeAndLeavesNoTemporaryFile)
{
    std::ofstream(path) << "an older, longer photograph than the one that replaces it";
    chmod(path.c_str(), 0644);
    forms::savePicture(RgbSurface(1, 1, {1, 2, 3}), path);
    EXPECT_EQ(readAll(path), forms::encodeBitmap(RgbSurface(1, 1, {1, 2, 3})));
    struct stat saved;
    ASSERT_EQ(stat(path.c_str(), &saved), 0);
    EXPECT_EQ(saved.st_mode & 0777, 0600u);
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(SavedPicture, ReplacesASymbolicLinkAtThePathAndLeavesItsTargetAlone)
{
    const std::string target = folder + "/elsewhere";
    std::ofstream(target) << "someone else's file";
    ASSERT_EQ(symlink(target.c_str(), path.c_str()), 0);
    forms::savePicture(smallPicture(), path);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(readAll(target).data()), readAll(target).size()),
              "someone else's file");
    EXPECT_FALSE(std::filesystem::is_symlink(path));
    EXPECT_EQ(readAll(path), forms::encodeBitmap(smallPicture()));
    EXPECT_EQ(filesInFolder(), 2u);
}

TEST_F(SavedPicture, AMissingFolderIsAnErrorNotACrash)
{
    EXPECT_THROW(forms::savePicture(smallPicture(), folder + "/missing/Hoarveil1.bmp"), std::system_error);
}
