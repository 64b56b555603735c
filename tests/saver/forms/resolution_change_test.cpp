// A form whose screen changes its dpi (Windows' WM_DPICHANGED): every control stands again at
// its place in twips, in the new pixels, and a picture box's image is made again from its
// picture at the new design size, not stretched or cut from the old pixels.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <memory>

#include "saver/forms/form.h"
#include "saver/forms/image_control.h"
#include "saver/forms/picture_box.h"
#include "saver/forms/screen.h"

namespace {

using forms::Colour;
using forms::RgbSurface;

TEST(ResolutionChange, PlacesTheControlsAgainAndRemakesThePicturesAtTheirDesignSize)
{
    unsetenv("DISPLAY");
    forms::Screen::setDotsPerInch(96);
    forms::Form form{"Scaled"};
    forms::PictureBox strip(form, "Pic_Mbl");
    forms::ImageControl bullet(form, "Img_Ra");
    strip.move(120, 4680, 8340, 300);
    strip.setPicture(std::make_shared<const RgbSurface>(556, 20, Colour{10, 20, 30}));
    ASSERT_EQ(strip.image().width(), 556);  // in use, as the dialog's strip is
    bullet.move(8040, 300, 180, 180);
    bullet.setPicture(std::make_shared<const RgbSurface>(12, 12, Colour{0, 0, 200}));

    form.resolutionChanged(144);
    EXPECT_EQ(forms::Screen::twipsPerPixelX(), 10);
    EXPECT_EQ(strip.leftPixels(), 12);
    EXPECT_EQ(strip.topPixels(), 468);
    const RgbSurface& image = strip.image();
    ASSERT_EQ(image.width(), 834);
    ASSERT_EQ(image.height(), 30);
    EXPECT_EQ(image.pixel(833, 29), (Colour{10, 20, 30})) << "the picture at 150 % fills the box to its corner";
    EXPECT_EQ(bullet.widthPixels(), 18);
    EXPECT_EQ(bullet.shownPicture()->width(), 18);

    forms::Screen::setDotsPerInch(96);
}

}  // namespace
