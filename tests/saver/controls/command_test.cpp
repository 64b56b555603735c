// The push button without a display: its state machine and Click driven through its handlers,
// its stored properties, and its faces read back from its image pixel by pixel.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "saver/forms/form.h"
#include "tests/saver/controls/command_probe.h"

using Pointer = CommandProbe::Pointer;
using forms::Colour;

namespace {

constexpr Colour rgb(std::uint32_t value)
{
    return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value)};
}

// Ring colours at the middle of the top edge, rows 0-3, that tell the faces apart.
enum class Look { Normal, HighLight, Selected, Pressed, Disable };
Colour topRing(Look look, int ring)
{
    static const std::uint32_t rings[5][4] = {{0xDCD6C2, 0x003C74, 0xF3F3EE, 0xF3F3EE},
                                              {0xDCD6C2, 0x003C74, 0xFFF0CF, 0xFDD889},
                                              {0xDCD6C2, 0x003C74, 0xCEE7FF, 0xCEE7FF},
                                              {0xECE9D8, 0xDCD6C2, 0x003C74, 0xD1CCC1},
                                              {0xECE9D8, 0xC9C7BA, 0xF5F4EA, 0xF5F4EA}};
    return rgb(rings[static_cast<int>(look)][ring]);
}

class Buttons : public ::testing::Test {
protected:
    static void SetUpTestSuite() { unsetenv("DISPLAY"); }  // 96 dots per inch, no server

    forms::Form form{"Buttons"};
    CommandProbe button{form, "Cmd_Set"};
    int clicks = 0;

    void SetUp() override
    {
        button.move(0, 0, 1215, 375);
        button.onClick = [this] { ++clicks; };
    }
    // A button as the dialog has it: stored properties read, Initialize called.
    void setUp(const forms::PropertyBag& stored = {})
    {
        button.readProperties(stored);
        button.Initialize();
    }
    bool shows(Look look) const
    {
        auto& image = const_cast<CommandProbe&>(button).image();
        for (int ring = 0; ring < 4; ++ring)
            if (image.pixel(image.width() / 2, ring) != topRing(look, ring))
                return false;
        return true;
    }
    void moveOver() { button.UserControl_MouseMove(0, 0, 300, 100); }
    void press(int mouseButton = forms::vbLeftButton) { button.UserControl_MouseDown(mouseButton, 0, 300, 100); }
    void release(int mouseButton = forms::vbLeftButton) { button.UserControl_MouseUp(mouseButton, 0, 300, 100); }
    void tickWithPointer(Pointer where)
    {
        button.pointer = where;
        button.TmrMouse_Timer();
    }
};

}  // namespace

TEST_F(Buttons, ANewButtonIsDisabledUntilItsPropertiesAreReadThenNormal)
{
    EXPECT_TRUE(shows(Look::Disable));
    moveOver();
    button.UserControl_GotFocus();
    EXPECT_EQ(button.state(), 0);
    setUp();
    EXPECT_EQ(button.state(), 1);
    EXPECT_TRUE(shows(Look::Normal));
}

TEST_F(Buttons, PointerOverAndAwayFollowTheTransitionTable)
{
    setUp();
    moveOver();
    EXPECT_EQ(button.state(), 2);
    EXPECT_TRUE(shows(Look::HighLight));
    EXPECT_TRUE(button.hoverShade());

    tickWithPointer(Pointer::OverButton);
    EXPECT_EQ(button.state(), 2);
    tickWithPointer(Pointer::Elsewhere);
    EXPECT_EQ(button.state(), 1);
    EXPECT_TRUE(shows(Look::Normal));
    EXPECT_FALSE(button.hoverShade());

    // Over the form counts as away, too.
    moveOver();
    tickWithPointer(Pointer::OverForm);
    EXPECT_EQ(button.state(), 1);
}

TEST_F(Buttons, FocusFollowsTheTransitionTable)
{
    setUp();
    button.UserControl_GotFocus();
    EXPECT_EQ(button.state(), 3);
    EXPECT_TRUE(shows(Look::Selected));
    moveOver();
    EXPECT_EQ(button.state(), 4);
    EXPECT_TRUE(shows(Look::HighLight));  // HighLightSelect is the same picture
    // A state 4 reached from 3 keeps the normal gradient.
    EXPECT_FALSE(button.hoverShade());
    tickWithPointer(Pointer::Elsewhere);
    EXPECT_EQ(button.state(), 3);
    EXPECT_TRUE(shows(Look::Selected));
    button.UserControl_LostFocus();
    EXPECT_EQ(button.state(), 1);
    EXPECT_TRUE(shows(Look::Normal));

    // Focus gained with the pointer over: Pressed, over the reversed gradient of state 2.
    moveOver();
    button.UserControl_GotFocus();
    EXPECT_EQ(button.state(), 4);
    EXPECT_TRUE(shows(Look::Pressed));
    EXPECT_TRUE(button.hoverShade());
    button.UserControl_LostFocus();
    EXPECT_EQ(button.state(), 1);
}

TEST_F(Buttons, AClickIsPressFocusAndReleaseOverTheButton)
{
    setUp();
    moveOver();
    press();
    EXPECT_TRUE(shows(Look::Pressed));
    EXPECT_TRUE(button.held());
    button.UserControl_GotFocus();
    EXPECT_EQ(button.state(), 4);
    release();
    EXPECT_TRUE(shows(Look::HighLight));
    EXPECT_FALSE(button.held());
    EXPECT_EQ(clicks, 1);
}

TEST_F(Buttons, ReleasingOverAButtonWithoutFocusShowsNormalAndClicks)
{
    setUp();
    moveOver();
    press();
    release();
    EXPECT_EQ(button.state(), 2);
    EXPECT_TRUE(shows(Look::Normal));
    EXPECT_EQ(clicks, 1);
}

TEST_F(Buttons, APressDraggedOffForATickDoesNotClick)
{
    setUp();
    moveOver();
    press();
    button.UserControl_GotFocus();
    tickWithPointer(Pointer::Elsewhere);
    EXPECT_EQ(button.state(), 3);
    // Back over the button while the mouse button is held: state 4 does not come back.
    moveOver();
    EXPECT_EQ(button.state(), 3);
    release();
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button.held());
    EXPECT_TRUE(shows(Look::Selected));
}

TEST_F(Buttons, TheRightButtonClicksWithoutThePressedFace)
{
    setUp();
    moveOver();
    const int before = button.repaints();
    press(forms::vbRightButton);
    EXPECT_EQ(button.repaints(), before);
    EXPECT_FALSE(button.held());
    release(forms::vbRightButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(shows(Look::HighLight));  // no face painted on a right release

    button.UserControl_GotFocus();
    EXPECT_EQ(button.state(), 4);
    press(forms::vbMiddleButton);
    release(forms::vbMiddleButton);
    EXPECT_EQ(clicks, 2);
    // In state 3 no button clicks.
    tickWithPointer(Pointer::Elsewhere);
    release(forms::vbRightButton);
    EXPECT_EQ(clicks, 2);
}

TEST_F(Buttons, ADisabledButtonIgnoresEverythingUntilEnabledAgain)
{
    setUp();
    moveOver();
    button.setEnabled(false);
    EXPECT_TRUE(shows(Look::Disable));
    EXPECT_EQ(button.state(), 2);  // the state is kept
    const int before = button.repaints();
    moveOver();
    press();
    release();
    button.UserControl_GotFocus();
    button.UserControl_LostFocus();
    tickWithPointer(Pointer::Elsewhere);
    EXPECT_EQ(button.repaints(), before);
    EXPECT_EQ(button.state(), 2);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button.Enabled());

    button.setEnabled(true);
    EXPECT_TRUE(shows(Look::Normal));
}

TEST_F(Buttons, BeforeInitializeOnlyFocusPaints)
{
    button.readProperties({});
    moveOver();
    EXPECT_EQ(button.state(), 0);
    button.UserControl_GotFocus();
    EXPECT_EQ(button.state(), 3);
    EXPECT_TRUE(shows(Look::Selected));
    button.UserControl_LostFocus();
    EXPECT_EQ(button.state(), 1);
    EXPECT_TRUE(shows(Look::Normal));
}

TEST_F(Buttons, APlainHoverTickRepaintsNothing)
{
    setUp();
    const int before = button.repaints();
    for (int tick = 0; tick < 20; ++tick)
        tickWithPointer(tick % 2 ? Pointer::Elsewhere : Pointer::OverForm);
    moveOver();
    for (int tick = 0; tick < 20; ++tick)
        tickWithPointer(Pointer::OverButton);
    EXPECT_EQ(button.repaints(), before + 1);  // the one HighLight
}

TEST_F(Buttons, ReadingEnabledSetsUpAButtonWithoutStoredProperties)
{
    EXPECT_EQ(button.firstRun(), 0);
    EXPECT_TRUE(button.Enabled());
    EXPECT_EQ(button.firstRun(), 1);
    EXPECT_TRUE(shows(Look::Normal));
}

TEST_F(Buttons, VisibleChoosesTheOpaqueOrTransparentSurface)
{
    setUp();
    button.setVisibleProperty(false);
    EXPECT_FALSE(button.backStyleOpaque());
    const int before = button.repaints();
    EXPECT_FALSE(button.Visible());
    EXPECT_EQ(button.repaints(), before);
    moveOver();
    button.setVisibleProperty(true);
    EXPECT_TRUE(shows(Look::Normal));
    EXPECT_TRUE(button.Visible());
}

TEST_F(Buttons, StoredPropertiesAtTheirDefaultsAreNotWritten)
{
    setUp();
    forms::PropertyBag written = button.writeProperties();
    EXPECT_EQ(written.stored().size(), 2u);  // the extent alone
    EXPECT_EQ(std::get<std::int64_t>(written.readProperty("_extentx", std::int64_t{0})), 2143);
    EXPECT_EQ(std::get<std::int64_t>(written.readProperty("_extenty", std::int64_t{0})), 661);
    EXPECT_EQ(button.Caption(), "Command");
}

TEST_F(Buttons, TheDialogsPropertiesReadBackAsTheyWereStored)
{
    forms::FontSpec font;
    font.points = 9.75;
    forms::PropertyBag stored;
    stored.storeExtent(1215, 375);
    stored.writeProperty("CAPTION", std::string("ｷｬﾝｾﾙ"), std::string("Command"));
    stored.writeProperty("Font", font, form.font());
    setUp(stored);
    EXPECT_EQ(button.Caption(), "ｷｬﾝｾﾙ");
    EXPECT_EQ(button.Font(), font);
    EXPECT_TRUE(button.Enabled());
    EXPECT_EQ(button.FontColour(), 0u);
    EXPECT_FALSE(button.propertiesChanged());

    const forms::PropertyBag written = button.writeProperties();
    EXPECT_EQ(written.stored(), stored.stored());

    // Other values, changed and marked, go out under their lower-case keys and come back.
    button.setFontColour(0x0000FF);
    button.setEnabled(false);
    button.setVisibleProperty(false);
    EXPECT_TRUE(button.propertiesChanged());
    const forms::PropertyBag changed = button.writeProperties();
    EXPECT_EQ(std::get<std::int64_t>(changed.readProperty("fontcolour", std::int64_t{0})), 0xFF);
    EXPECT_EQ(std::get<bool>(changed.readProperty("enabled", true)), false);
    EXPECT_EQ(std::get<std::int64_t>(changed.readProperty("visible", std::int64_t{1})), 0);
    EXPECT_FALSE(changed.contains("firstrun"));

    forms::Form other{"Other"};
    CommandProbe copy{other, "Cmd_Can"};
    copy.readProperties(changed);
    EXPECT_EQ(copy.Caption(), "ｷｬﾝｾﾙ");
    EXPECT_FALSE(copy.Enabled());
    EXPECT_FALSE(copy.Visible());
}

TEST_F(Buttons, ReadingEndsWithTheLookSoAButtonNeverSetUpGetsABlackCaption)
{
    forms::PropertyBag stored;
    stored.writeProperty("FirstRun", std::int64_t{0}, std::int64_t{1});
    stored.writeProperty("FontColour", std::int64_t{0xFF}, std::int64_t{0});
    setUp(stored);
    EXPECT_EQ(button.firstRun(), 0);
    EXPECT_EQ(button.FontColour(), 0u);
    EXPECT_TRUE(shows(Look::Normal));

    // Once set up, the colour read is the colour kept.
    forms::PropertyBag setUpBefore;
    setUpBefore.writeProperty("FontColour", std::int64_t{0xFF}, std::int64_t{0});
    button.readProperties(setUpBefore);
    EXPECT_EQ(button.FontColour(), 0xFFu);
    EXPECT_EQ(button.writeProperties().stored(), [&] {
        forms::PropertyBag expected = setUpBefore;
        expected.storeExtent(1215, 375);
        return expected.stored();
    }());
}

TEST_F(Buttons, StoredValuesOfAnotherTypeConvertOrReadAsTheirDefaults)
{
    forms::PropertyBag stored;
    stored.writeProperty("Enabled", std::int64_t{0}, true);       // a number for a flag
    stored.writeProperty("Visible", false, std::int64_t{1});      // a flag for a number
    stored.writeProperty("Caption", std::int64_t{7}, std::string("Command"));
    stored.writeProperty("FontColour", std::string("red"), std::int64_t{0});
    setUp(stored);
    EXPECT_FALSE(button.Enabled());
    EXPECT_FALSE(button.Visible());
    EXPECT_EQ(button.Caption(), "Command");
    EXPECT_EQ(button.FontColour(), 0u);
}
