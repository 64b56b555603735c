// GDI's GradientFill on the saver's pictures in memory: the copy in and out keeps every pixel
// the call leaves alone and the channels in their order.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "platform/gradient_fill.h"

namespace {

using Pixel = std::array<std::uint8_t, 3>;

TEST(GradientFill, FillsDownTheRowsLeavingTheRestOfThePictureAlone)
{
    // Red, green and blue apart, so a swapped channel shows.
    std::vector<std::uint8_t> pixels(6 * 5 * 3);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<std::uint8_t>(i * 37);
    const std::vector<std::uint8_t> before = pixels;
    const auto at = [&](const std::vector<std::uint8_t>& picture, int x, int y) {
        const std::uint8_t* p = &picture[(y * 6 + x) * 3];
        return Pixel{p[0], p[1], p[2]};
    };
    const platform::TriVertex vertices[] = {{1, 1, 0xFF00, 0x8000, 0x0000, 0}, {4, 5, 0xFF00, 0x8000, 0x0000, 0}};
    const platform::GradientRect rectangle[] = {{0, 1}};
    ASSERT_TRUE(platform::gradientFill({pixels.data(), 6, 5}, vertices, rectangle, platform::GradientMode::RectVertical));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 1 && x < 4 && y >= 1;
            EXPECT_EQ(at(pixels, x, y), inside ? (Pixel{255, 128, 0}) : at(before, x, y)) << x << ", " << y;
        }

    const platform::TriVertex ramp[] = {{0, 0, 0x0000, 0, 0, 0}, {6, 5, 0xFF00, 0, 0, 0}};
    ASSERT_TRUE(platform::gradientFill({pixels.data(), 6, 5}, ramp, rectangle, platform::GradientMode::RectVertical));
    EXPECT_EQ(at(pixels, 3, 0)[0], 0);
    EXPECT_GT(at(pixels, 3, 4)[0], at(pixels, 3, 2)[0]) << "brighter down the rows";
    EXPECT_EQ(at(pixels, 5, 4)[1], 0);

    const platform::GradientRect missing[] = {{0, 2}};
    EXPECT_FALSE(platform::gradientFill({pixels.data(), 6, 5}, vertices, missing, platform::GradientMode::RectVertical));
}

}  // namespace
