// The forms runtime's logic that needs no display: the property store, twips, drawing into
// pictures, and steps run with errors suppressed.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "saver/forms/errors_suppressed.h"
#include "saver/forms/property_bag.h"
#include "saver/forms/rgb_surface.h"
#include "saver/forms/twips.h"

using forms::Colour;
using forms::FontSpec;
using forms::PropertyBag;
using forms::PropertyValue;
using forms::RgbSurface;

TEST(PropertyStore, ValuesEqualToTheirDefaultsAreNotStoredAndReadBackAsTheDefault)
{
    PropertyBag bag;
    bag.writeProperty("Caption", std::string("Command"), std::string("Command"));
    bag.writeProperty("Enabled", true, true);
    bag.writeProperty("FontColour", std::int64_t(0), std::int64_t(0));
    EXPECT_TRUE(bag.stored().empty());
    EXPECT_EQ(bag.readProperty("Caption", std::string("Command")), PropertyValue(std::string("Command")));

    bag.writeProperty("Caption", std::string("設定"), std::string("Command"));
    EXPECT_EQ(bag.readProperty("Caption", std::string("Command")), PropertyValue(std::string("設定")));
    // Writing the default again forgets the stored value.
    bag.writeProperty("Caption", std::string("Command"), std::string("Command"));
    EXPECT_FALSE(bag.contains("Caption"));
}

TEST(PropertyStore, KeysMatchWithoutRegardToCaseAndAreKeptInLowerCase)
{
    PropertyBag bag;
    bag.writeProperty("FontColour", std::int64_t(0xFF), std::int64_t(0));
    EXPECT_EQ(bag.readProperty("FONTCOLOUR", std::int64_t(0)), PropertyValue(std::int64_t(0xFF)));
    ASSERT_EQ(bag.stored().size(), 1u);
    EXPECT_EQ(bag.stored().begin()->first, "fontcolour");
    bag.writeProperty("fontColour", std::int64_t(7), std::int64_t(0));
    EXPECT_EQ(bag.stored().size(), 1u);
}

TEST(PropertyStore, FontsCompareWhole)
{
    PropertyBag bag;
    const FontSpec ambient;  // "ＭＳ Ｐゴシック" 9 pt
    FontSpec larger = ambient;
    larger.points = 9.75;
    bag.writeProperty("Font", ambient, ambient);
    EXPECT_FALSE(bag.contains("font"));
    bag.writeProperty("Font", larger, ambient);
    EXPECT_EQ(std::get<FontSpec>(bag.readProperty("Font", ambient)).points, 9.75);
}

TEST(PropertyStore, TheExtentIsKeptInHundredthsOfAMillimetre)
{
    PropertyBag bag;
    bag.storeExtent(1215, 375);  // Cmd_Set: 81 x 25 pixels
    EXPECT_EQ(bag.readProperty("_ExtentX", std::int64_t(-1)), PropertyValue(std::int64_t(2143)));
    EXPECT_EQ(bag.readProperty("_ExtentY", std::int64_t(-1)), PropertyValue(std::int64_t(661)));
}

TEST(Twips, FifteenToThePixelAtNinetySixDotsPerInchAndUnroundedElsewhere)
{
    EXPECT_EQ(forms::twipsPerPixelAt(96), 15);
    EXPECT_EQ(forms::twipsPerPixelAt(120), 12);
    EXPECT_EQ(forms::twipsPerPixelAt(144), 10);
    EXPECT_EQ(forms::twipsPerPixelAt(192), 7.5);  // rounded to 8, the dialog came out 928 pixels wide
    EXPECT_NEAR(forms::twipsPerPixelAt(96.4), 14.938, 0.001);
    EXPECT_EQ(forms::twipsPerPixelAt(2000), 1);  // never 0: nothing divides by it
    EXPECT_EQ(forms::twipsPerPixelAt(0), 15);
    EXPECT_EQ(forms::twipsPerPixelAt(-5), 15);

    EXPECT_EQ(forms::twipsToPixels(7425, 15), 495);  // the settings dialog's client width
    EXPECT_EQ(forms::twipsToPixels(2280, 15), 152);
    EXPECT_EQ(forms::twipsToPixels(22, 15), 1);  // nearest pixel
    EXPECT_EQ(forms::twipsToPixels(7, 15), 0);
    EXPECT_EQ(forms::twipsToPixels(100, 0), 100);
    EXPECT_EQ(forms::pixelsToTwips(112, 15), 1680);
    EXPECT_EQ(forms::twipsToPixels(7425, 7.5), 990);  // the same dialog at 192 dpi
}

TEST(Pictures, CopiesAreClippedOnBothSides)
{
    RgbSurface source(4, 4, {200, 0, 0});
    source.setPixel(0, 0, {0, 200, 0});
    RgbSurface target(3, 3, {0, 0, 9});
    target.copyFrom(source, -1, 1, 4, 4, 0, 0);  // hangs over the left and the bottom
    EXPECT_EQ(target.pixel(0, 0), (Colour{0, 0, 9}));
    EXPECT_EQ(target.pixel(0, 1), (Colour{200, 0, 0}));  // source (1, 0)
    EXPECT_EQ(target.pixel(2, 2), (Colour{200, 0, 0}));
    target.copyFrom(source, 0, 0, 2, 2, -1, -1);  // the source area starts outside the source
    EXPECT_EQ(target.pixel(0, 0), (Colour{0, 0, 9}));
    EXPECT_EQ(target.pixel(1, 1), (Colour{0, 200, 0}));
    target.copyFrom(source, 5, 5, 2, 2, 0, 0);  // entirely outside: nothing, no crash
}

TEST(Pictures, StretchingScalesEachDirectionOnItsOwn)
{
    RgbSurface source(2, 1);
    source.setPixel(0, 0, {10, 10, 10});
    source.setPixel(1, 0, {20, 20, 20});
    RgbSurface target(4, 3);
    target.stretchFrom(source, 0, 0, 4, 3, 0, 0, 2, 1);
    EXPECT_EQ(target.pixel(1, 2), (Colour{10, 10, 10}));
    EXPECT_EQ(target.pixel(2, 0), (Colour{20, 20, 20}));
    EXPECT_EQ(target.pixel(3, 2), (Colour{20, 20, 20}));
}

TEST(Pictures, AVerticalGradientRunsFromTheTopColourAndLeavesOutTheLastRowAndColumn)
{
    RgbSurface picture(3, 5, {1, 1, 1});
    picture.verticalGradient(0, 0, 2, 4, {255, 255, 255}, {198, 197, 215});
    EXPECT_EQ(picture.pixel(0, 0), (Colour{255, 255, 255}));
    EXPECT_EQ(picture.pixel(1, 2), (Colour{227, 226, 235}));  // half way
    EXPECT_EQ(picture.pixel(2, 0), (Colour{1, 1, 1}));
    EXPECT_EQ(picture.pixel(0, 4), (Colour{1, 1, 1}));
}

TEST(Pictures, ALineStopsShortOfItsEndPoint)
{
    RgbSurface picture(5, 2);
    picture.line(0, 1, 5, 1, {9, 8, 7});
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(picture.pixel(x, 1), (Colour{9, 8, 7}));
    picture.line(0, 0, 3, 0, {1, 2, 3});
    EXPECT_EQ(picture.pixel(2, 0), (Colour{1, 2, 3}));
    EXPECT_EQ(picture.pixel(3, 0), (Colour{0, 0, 0}));
}

TEST(Pictures, ResizingKeepsWhatFitsAndFillsTheRest)
{
    RgbSurface picture(2, 2, {5, 5, 5});
    picture.resize(3, 1, {7, 7, 7});
    EXPECT_EQ(picture.width(), 3);
    EXPECT_EQ(picture.height(), 1);
    EXPECT_EQ(picture.pixel(1, 0), (Colour{5, 5, 5}));
    EXPECT_EQ(picture.pixel(2, 0), (Colour{7, 7, 7}));
    EXPECT_EQ(forms::colourFromBgr(0xC0FFEE), (Colour{0xEE, 0xFF, 0xC0}));
}

TEST(ErrorsSuppressed, AFailingStepIsSkippedAndTheNextOneRuns)
{
    std::string ran;
    const int failed = forms::runSteps({
        [&] { ran += "1"; },
        [&] { throw std::runtime_error("a step that fails"); },
        [&] { ran += "3"; },
        [&] { throw 42; },
    });
    EXPECT_EQ(ran, "13");
    EXPECT_EQ(failed, 2);
    EXPECT_FALSE(forms::suppressErrors([] { throw std::out_of_range("x"); }));
    EXPECT_TRUE(forms::suppressErrors([] {}));
}
