// The faces as drawn: the rim of each picture at the dialog's sizes, its rounded corners, the
// gradient under it in both directions, and the gradient fill itself.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <stdexcept>
#include <vector>

#include "platform/gradient_fill.h"
#include "saver/controls/button_faces.h"
#include "saver/forms/form.h"
#include "tests/saver/controls/command_probe.h"

using forms::Colour;

namespace {

constexpr Colour rgb(std::uint32_t value)
{
    return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value)};
}

// The face table: per edge, the outermost ring first; a side ring that shades gives its top
// and bottom colours.
struct SideRing {
    std::uint32_t top, bottom;
};
struct FaceColours {
    ButtonFace face;
    std::array<std::uint32_t, 4> top, bottom;
    std::array<SideRing, 4> left, right;
};

const FaceColours faceTable[] = {
    {ButtonFace::Normal,
     {0xDCD6C2, 0x003C74, 0xF3F3EE, 0xF3F3EE},
     {0xFAFAF6, 0x003C74, 0xD6D0C5, 0xE2DFD6},
     {{{0xE2DECB, 0xE2DECB}, {0x003C74, 0x003C74}, {0xFDFDFC, 0xECEBE6}, {0xFDFDFC, 0xEBEBE5}}},
     {{{0xF0EEE0, 0xF0EEE0}, {0x003C74, 0x003C74}, {0xF6F4F2, 0xE0DDD4}, {0xFBFBFA, 0xE4E2DA}}}},
    {ButtonFace::HighLight,
     {0xDCD6C2, 0x003C74, 0xFFF0CF, 0xFDD889},
     {0xFAFAF6, 0x003C74, 0xE59700, 0xF8B330},
     {{{0xE2DECB, 0xE2DECB}, {0x003C74, 0x003C74}, {0xFEDF9A, 0xF9B435}, {0xFCD279, 0xF8B535}}},
     {{{0xF0EEE0, 0xF0EEE0}, {0x003C74, 0x003C74}, {0xFDE09B, 0xF8B435}, {0xFCD279, 0xF8B535}}}},
    {ButtonFace::Selected,
     {0xDCD6C2, 0x003C74, 0xCEE7FF, 0xCEE7FF},
     {0xFAFAF6, 0x003C74, 0x6982EE, 0x6982EE},
     {{{0xE2DECB, 0xE2DECB}, {0x003C74, 0x003C74}, {0xB7D0F4, 0x8BADE4}, {0xB8D1F4, 0x8BADE4}}},
     {{{0xF0EEE0, 0xF0EEE0}, {0x003C74, 0x003C74}, {0xB1CCF2, 0x8BAFE5}, {0xB1CCF2, 0x8BAFE5}}}},
    {ButtonFace::Pressed,
     {0xECE9D8, 0xDCD6C2, 0x003C74, 0xD1CCC1},
     {0xECE9D8, 0xFAFAF6, 0x003C74, 0xF2F1EE},
     {{{0xECE9D8, 0xECE9D8}, {0xE2DECB, 0xE2DECB}, {0x003C74, 0x003C74}, {0xD7D4CB, 0xD7D4CB}}},
     {{{0xECE9D8, 0xECE9D8}, {0xF0EEE0, 0xF0EEE0}, {0x003C74, 0x003C74}, {0xE4E3DC, 0xE4E3DC}}}},
    {ButtonFace::Disable,
     {0xECE9D8, 0xC9C7BA, 0xF5F4EA, 0xF5F4EA},
     {0xECE9D8, 0xC9C7BA, 0xF5F4EA, 0xF5F4EA},
     {{{0xECE9D8, 0xECE9D8}, {0xC9C7BA, 0xC9C7BA}, {0xF5F4EA, 0xF5F4EA}, {0xF5F4EA, 0xF5F4EA}}},
     {{{0xECE9D8, 0xECE9D8}, {0xC9C7BA, 0xC9C7BA}, {0xF5F4EA, 0xF5F4EA}, {0xF5F4EA, 0xF5F4EA}}}},
};

// Paints a face on a button of the given size by bringing it into the state that shows it.
class FaceOnButton : public ::testing::Test {
protected:
    static void SetUpTestSuite() { unsetenv("DISPLAY"); }

    forms::Form form{"Faces"};
    CommandProbe button{form, "Cmd_Set"};

    const forms::RgbSurface& paint(ButtonFace face, double width, double height)
    {
        button.move(0, 0, width, height);
        button.readProperties({});
        button.Initialize();
        switch (face) {
        case ButtonFace::HighLight:
        case ButtonFace::HighLightSelect: button.UserControl_MouseMove(0, 0, 0, 0); break;
        case ButtonFace::Selected: button.UserControl_GotFocus(); break;
        case ButtonFace::Pressed: button.UserControl_MouseDown(forms::vbLeftButton, 0, 0, 0); break;
        case ButtonFace::Disable: button.setEnabled(false); break;
        case ButtonFace::Normal: break;
        }
        return button.image();
    }
};

}  // namespace

TEST_F(FaceOnButton, EveryRimHasTheTableColoursAtTheDialogsSizes)
{
    for (const FaceColours& colours : faceTable) {
        for (const auto& [width, height] : {std::pair{1215.0, 375.0}, std::pair{615.0, 375.0}, std::pair{1755.0, 420.0}}) {
            SCOPED_TRACE(testing::Message() << "face " << int(colours.face) << " at " << width << " x " << height);
            const forms::RgbSurface& image = paint(colours.face, width, height);
            ASSERT_EQ(image.width(), int(width / 15));
            const int w = image.width(), h = image.height();
            for (int ring = 0; ring < 4; ++ring) {
                for (int x = 4; x < w - 4; ++x) {
                    ASSERT_EQ(image.pixel(x, ring), rgb(colours.top[ring])) << "top, column " << x;
                    ASSERT_EQ(image.pixel(x, h - 1 - ring), rgb(colours.bottom[ring])) << "bottom, column " << x;
                }
                // Side rings: their top colour just below the corner, their bottom colour just above.
                EXPECT_EQ(image.pixel(ring, 4), rgb(colours.left[ring].top));
                EXPECT_EQ(image.pixel(ring, h - 5), rgb(colours.left[ring].bottom));
                EXPECT_EQ(image.pixel(w - 1 - ring, 4), rgb(colours.right[ring].top));
                EXPECT_EQ(image.pixel(w - 1 - ring, h - 5), rgb(colours.right[ring].bottom));
            }
        }
    }
}

TEST_F(FaceOnButton, TheCornersAreRoundedAtAllFour)
{
    const forms::RgbSurface& image = paint(ButtonFace::Normal, 1215, 375);
    const int w = image.width(), h = image.height();
    const std::uint32_t ring[] = {0xE4DFCE, 0xE6E1D0, 0x7A95A8, 0x255783};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(image.pixel(i, 1), rgb(ring[i]));  // row 1 from the left
        EXPECT_EQ(image.pixel(1, i), rgb(ring[i]));  // column 1 downwards
        EXPECT_EQ(image.pixel(w - 1 - i, 1), rgb(ring[i]));
        EXPECT_EQ(image.pixel(w - 2, h - 1 - i), rgb(ring[i]));
        EXPECT_EQ(image.pixel(i, h - 2), rgb(ring[i]));
    }
    // The corners are copied as they are in the picture.
    const forms::RgbSurface& picture = facePicture(ButtonFace::Normal);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(image.pixel(w - 4 + x, h - 4 + y), picture.pixel(60 + x, 21 + y));
            EXPECT_EQ(image.pixel(x, y), picture.pixel(x, y));
        }
}

TEST_F(FaceOnButton, TheGradientRunsDownOrUpWithThePointerOver)
{
    // White to (198, 197, 215) over the 24 rows the fill covers, seen between the rims.
    const forms::RgbSurface& normal = paint(ButtonFace::Normal, 1215, 375);
    EXPECT_EQ(normal.pixel(40, 4), (Colour{245, 245, 248}));
    EXPECT_EQ(normal.pixel(40, 20), (Colour{207, 206, 221}));
    const forms::RgbSurface& over = paint(ButtonFace::HighLight, 1215, 375);
    EXPECT_EQ(over.pixel(40, 4), (Colour{207, 206, 221}));
    EXPECT_EQ(over.pixel(40, 20), (Colour{245, 245, 248}));
}

TEST_F(FaceOnButton, AButtonSmallerThanItsTwoCornersStillPaints)
{
    const forms::RgbSurface& image = paint(ButtonFace::Normal, 90, 60);
    // What it shows is not fixed (the corners overlap, the edges have no room): no fault.
    EXPECT_EQ(image.width(), 6);
    EXPECT_EQ(image.height(), 4);
}

TEST(FaceSlices, HaveTheirTwipsAndRefuseSizesBeyondSixteenBits)
{
    const auto slices = faceSlices(1215, 375);
    EXPECT_EQ(slices[1].width, 1095);
    EXPECT_EQ(slices[2].x, 1155);
    EXPECT_EQ(slices[3].height, 255);
    EXPECT_EQ(slices[4].y, 315);
    // W - 120 rounds halves to even.
    EXPECT_EQ(faceSlices(1000.5, 375)[1].width, 880);
    EXPECT_EQ(faceSlices(1001.5, 375)[1].width, 882);
    EXPECT_NO_THROW(faceSlices(32767, 375));
    EXPECT_THROW(faceSlices(32768, 375), std::overflow_error);
    EXPECT_THROW(faceSlices(375, 40000), std::overflow_error);
}

TEST(GradientFill, FillsARectangleLeavingOutItsRightColumnAndBottomRow)
{
    std::vector<std::uint8_t> pixels(4 * 5 * 3, 7);
    const platform::PixelRows target{pixels.data(), 4, 5};
    auto at = [&](int x, int y) {
        const std::uint8_t* p = &pixels[(y * 4 + x) * 3];
        return Colour{p[0], p[1], p[2]};
    };
    const platform::TriVertex vertices[] = {{0, 0, 0xFF00, 0xFF00, 0xFF00, 0}, {3, 4, 0xC600, 0xC500, 0xD700, 0}};
    const platform::GradientRect rectangle[] = {{0, 1}};
    ASSERT_TRUE(platform::gradientFill(target, vertices, rectangle, platform::GradientMode::RectVertical));
    EXPECT_EQ(at(0, 0), (Colour{255, 255, 255}));
    EXPECT_EQ(at(2, 3), (Colour{212, 211, 225}));  // three quarters of the way
    EXPECT_EQ(at(3, 0), (Colour{7, 7, 7}));
    EXPECT_EQ(at(0, 4), (Colour{7, 7, 7}));

    // Across the columns, and with the corners given the other way round.
    const platform::TriVertex across[] = {{4, 5, 0, 0, 0, 0}, {0, 0, 0x8000, 0x8000, 0x8000, 0}};
    ASSERT_TRUE(platform::gradientFill(target, across, rectangle, platform::GradientMode::RectHorizontal));
    EXPECT_EQ(at(0, 4), (Colour{0, 0, 0}));
    EXPECT_EQ(at(2, 0), (Colour{64, 64, 64}));

    const platform::GradientRect missing[] = {{0, 2}};
    EXPECT_FALSE(platform::gradientFill(target, vertices, missing, platform::GradientMode::RectVertical));
}
