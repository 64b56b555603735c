// Pictures at their design size on a scaled screen: smooth scaling that leaves a picture alone
// at 96 dpi, keeps each slice's colours to itself, and makes a 96-dpi picture as large in
// inches as it was designed.
#include <gtest/gtest.h>

#include "saver/forms/rgb_surface.h"
#include "saver/forms/twips.h"

using forms::Colour;
using forms::RgbSurface;

namespace {

// Columns of three colours, one pixel each, over two rows.
RgbSurface stripes()
{
    RgbSurface picture(3, 2);
    for (int y = 0; y < 2; ++y) {
        picture.setPixel(0, y, {255, 0, 0});
        picture.setPixel(1, y, {0, 255, 0});
        picture.setPixel(2, y, {0, 0, 255});
    }
    return picture;
}

TEST(SmoothScaling, AtTheSameSizeCopiesExactly)
{
    const RgbSurface source = stripes();
    RgbSurface target(3, 2, {9, 9, 9});
    target.smoothStretchFrom(source, 0, 0, 3, 2, 0, 0, 3, 2);
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(target.pixel(x, 1), source.pixel(x, 1)) << x;
}

TEST(SmoothScaling, BlendsNeighboursButNeverReachesOutsideTheArea)
{
    const RgbSurface source = stripes();
    // The first two columns only, twice as wide: red, red-green blends, green, and no blue.
    RgbSurface target(4, 1);
    target.smoothStretchFrom(source, 0, 0, 4, 1, 0, 0, 2, 1);
    EXPECT_EQ(target.pixel(0, 0), (Colour{255, 0, 0}));
    EXPECT_EQ(target.pixel(3, 0), (Colour{0, 255, 0}));
    const Colour between = target.pixel(1, 0);
    EXPECT_GT(between.r, 100);
    EXPECT_GT(between.g, 40);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(target.pixel(x, 0).b, 0) << "the third column is another slice's";
}

TEST(SmoothScaling, ClipsAtTheTargetsEdges)
{
    RgbSurface target(2, 2, {9, 9, 9});
    target.smoothStretchFrom(stripes(), -3, 1, 6, 4, 0, 0, 3, 2);
    EXPECT_EQ(target.pixel(0, 0), (Colour{9, 9, 9}));
    // The right part of a picture twice as large: green going to blue, no red.
    EXPECT_EQ(target.pixel(1, 1).r, 0);
    EXPECT_GT(target.pixel(1, 1).b, 150);
}

TEST(DesignSize, IsThePictureItselfAtFifteenTwipsToThePixelAndGrowsWithTheScreensScaling)
{
    const RgbSurface picture = stripes();
    const RgbSurface same = forms::atDesignSize(picture, 15);
    ASSERT_EQ(same.width(), 3);
    EXPECT_EQ(same.pixel(2, 1), picture.pixel(2, 1));

    const RgbSurface strip(556, 20);
    for (const auto& [twipsPerPixel, width, height] :
         {std::tuple{12.0, 695, 25}, std::tuple{10.0, 834, 30}, std::tuple{7.5, 1112, 40}}) {
        const RgbSurface sized = forms::atDesignSize(strip, twipsPerPixel);
        EXPECT_EQ(sized.width(), width) << twipsPerPixel;
        EXPECT_EQ(sized.height(), height) << twipsPerPixel;
    }
    const RgbSurface bullet = forms::atDesignSize(RgbSurface(12, 12), 10);  // 144 dpi
    EXPECT_EQ(bullet.width(), 18);
}

TEST(FontSize, IsThePointSizeAtTheDpiNeverRoundedUp)
{
    EXPECT_EQ(forms::pointsToPixels(9.75, 96), 13);
    EXPECT_EQ(forms::pointsToPixels(8.25, 96), 11);
    EXPECT_EQ(forms::pointsToPixels(9.75, 120), 16);  // 16.25
    EXPECT_EQ(forms::pointsToPixels(9.75, 144), 19);  // 19.5: 20 would outgrow the labels
    EXPECT_EQ(forms::pointsToPixels(9.75, 192), 26);
    EXPECT_EQ(forms::pointsToPixels(0.1, 96), 1);
}

}  // namespace
