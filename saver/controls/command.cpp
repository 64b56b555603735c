#include "saver/controls/command.h"

#include <array>
#include <functional>
#include <string_view>
#include <type_traits>

#include "platform/gradient_fill.h"
#include "platform/pointer.h"
#include "saver/forms/errors_suppressed.h"
#include "saver/forms/form.h"
#include "saver/forms/screen.h"

namespace {

constexpr double captionHeight = 195;
constexpr int hoverInterval = 100;  // milliseconds
constexpr std::int16_t flagTrue = -1;
constexpr std::uint32_t black = 0;

// The face's two gradient colours, written as the button always wrote them. Their six digits
// are read in written order, red first, each into the high byte of a 16-bit vertex channel.
constexpr std::uint32_t shadeWhite = 0xFFFFFF;    // &HFFFFFF
constexpr std::uint32_t shadeLavender = 0xC6C5D7;  // &HC6C5D7: red 198, green 197, blue 215

platform::TriVertex vertex(std::int32_t x, std::int32_t y, std::uint32_t written)
{
    return {x, y, static_cast<std::uint16_t>(((written >> 16) & 0xFF) << 8),
            static_cast<std::uint16_t>(((written >> 8) & 0xFF) << 8), static_cast<std::uint16_t>((written & 0xFF) << 8),
            0};
}

// A stored value of the type asked for. A flag stored as a number, or a number as a flag,
// converts as the forms runtime converts them (true is -1); a value of any other type reads as
// the default rather than stopping the read halfway.
template <class T>
T storedValue(const forms::PropertyBag& properties, std::string_view key, const T& fallback)
{
    const forms::PropertyValue value = properties.readProperty(key, fallback);
    if (const T* exact = std::get_if<T>(&value))
        return *exact;
    if constexpr (std::is_same_v<T, bool>) {
        if (const auto* number = std::get_if<std::int64_t>(&value))
            return *number != 0;
    }
    if constexpr (std::is_same_v<T, std::int64_t>) {
        if (const auto* flag = std::get_if<bool>(&value))
            return *flag ? flagTrue : 0;
    }
    return fallback;
}

forms::FontSpec captionDesignFont()
{
    forms::FontSpec font;
    font.face = "ＭＳ Ｐゴシック";
    font.points = 9.75;
    font.charset = 128;
    return font;
}

}  // namespace

Command::Command(forms::Container& container, std::string name, int index)
    : forms::UserControl(container, std::move(name), index),
      LblMsg(*this, "LblMsg"),
      TmrMouse([this] { TmrMouse_Timer(); }, hoverInterval, false)
{
    LblMsg.setCaption("Command");
    LblMsg.setForeColor(forms::colourFromBgr(black));
    LblMsg.setAlignment(forms::Alignment::Centre);
    LblMsg.setTransparent(true);
    LblMsg.setFont(captionDesignFont());
    LblMsg.move(0, 0, width(), captionHeight);
    LblMsg.onMouseDown = [this](const forms::MouseEvent& event) { LblMsg_MouseDown(event); };
    LblMsg.onMouseMove = [this](const forms::MouseEvent& event) { LblMsg_MouseMove(event); };
    LblMsg.onMouseUp = [this](const forms::MouseEvent& event) { LblMsg_MouseUp(event); };
}

Command::~Command() = default;

void Command::Initialize()
{
    ButtonState = 1;
    TmrMouse.setEnabled(true);
    TmrMouse.setInterval(hoverInterval);
}

bool Command::Visible()
{
    const bool opaque = backStyleOpaque();
    if (opaque)
        ApplyLook();
    return opaque;
}

void Command::setVisibleProperty(bool visible)
{
    setBackStyleOpaque(visible);
    if (visible)
        ApplyLook();
    PropertyChanged("Visible");
}

std::uint32_t Command::FontColour()
{
    const std::uint32_t colour = captionColour;
    ApplyLook();
    return colour;
}

void Command::setFontColour(std::uint32_t colour)
{
    forms::suppressErrors([&] {
        captionColour = colour;
        LblMsg.setForeColor(forms::colourFromBgr(colour));
    });
    ApplyLook();
    PropertyChanged("FontColour");
}

bool Command::Enabled()
{
    if (FirstRun == 0) {
        // A button without stored properties is set up by its first read.
        ApplyLook();
        FirstRun = 1;
        EnabledFlag = flagTrue;
    }
    const bool enabled = EnabledFlag != 0;
    ApplyEnabledLook();
    return enabled;
}

void Command::setEnabled(bool enabled)
{
    EnabledFlag = enabled ? flagTrue : 0;
    PropertyChanged("Enabled");
    ApplyEnabledLook();
}

std::string Command::Caption() const
{
    return LblMsg.caption();
}

void Command::setCaption(const std::string& caption)
{
    LblMsg.setCaption(caption);
    PropertyChanged("Caption");
}

forms::FontSpec Command::Font() const
{
    return LblMsg.font();
}

void Command::setFont(const forms::FontSpec& font)
{
    LblMsg.setFont(font);
    PropertyChanged("Font");
}

void Command::UserControl_ReadProperties(const forms::PropertyBag& properties)
{
    EnabledFlag = storedValue(properties, "Enabled", true) ? flagTrue : 0;
    LblMsg.setCaption(storedValue(properties, "Caption", std::string("Command")));
    LblMsg.setFont(storedValue(properties, "Font", ambientFont()));
    FirstRun = static_cast<std::uint8_t>(storedValue(properties, "FirstRun", std::int64_t{1}));
    captionColour = static_cast<std::uint32_t>(storedValue(properties, "FontColour", std::int64_t{black}));
    LblMsg.setForeColor(forms::colourFromBgr(captionColour));
    setBackStyleOpaque(storedValue(properties, "Visible", std::int64_t{1}) != 0);
    ApplyLook();
}

void Command::UserControl_WriteProperties(forms::PropertyBag& properties)
{
    properties.writeProperty("Enabled", EnabledFlag != 0, true);
    properties.writeProperty("Caption", LblMsg.caption(), std::string("Command"));
    properties.writeProperty("FirstRun", std::int64_t{FirstRun}, std::int64_t{1});
    properties.writeProperty("Font", LblMsg.font(), ambientFont());
    properties.writeProperty("FontColour", std::int64_t{captionColour}, std::int64_t{black});
    properties.writeProperty("Visible", std::int64_t{backStyleOpaque() ? 1 : 0}, std::int64_t{1});
    ApplyLook();
}

void Command::UserControl_MouseDown(int button, int, double, double)
{
    if (!EnabledFlag)
        return;
    if (button == forms::vbLeftButton) {
        PaintFace(ButtonFace::Pressed);
        MouseHeld = flagTrue;
    }
}

void Command::UserControl_MouseMove(int, int, double, double)
{
    if (!EnabledFlag)
        return;
    if (ButtonState == 1)
        enterState(2, ButtonFace::HighLight);
    else if (ButtonState == 3 && !MouseHeld)
        enterState(4, ButtonFace::HighLightSelect);
}

void Command::UserControl_MouseUp(int button, int, double, double)
{
    if (!EnabledFlag)
        return;
    if (button == forms::vbLeftButton) {
        // Released over a button without the focus, the face goes back to Normal, not HighLight.
        if (ButtonState == 2)
            PaintFace(ButtonFace::Normal);
        else if (ButtonState == 4)
            PaintFace(ButtonFace::HighLightSelect);
        MouseHeld = 0;
    }
    // A press dragged off the button has been turned from state 4 into 3 by the hover check.
    if (EnabledFlag && ButtonState != 3 && onClick)
        onClick();
}

void Command::UserControl_GotFocus()
{
    if (!EnabledFlag)
        return;
    if (ButtonState == 2)
        enterState(4, ButtonFace::Pressed);
    else
        enterState(3, ButtonFace::Selected);
}

void Command::UserControl_LostFocus()
{
    if (!EnabledFlag || ButtonState == 1)
        return;
    enterState(1, ButtonFace::Normal);
}

void Command::UserControl_Resize()
{
    ApplyEnabledLook();
}

void Command::TmrMouse_Timer()
{
    // The caption and the face pictures have no windows of their own, so over the button's
    // window is over the button; anywhere else, the host form included, the hover look ends.
    const platform::NativeWindow under = windowUnderPointer();
    if (under == hostFormWindow() || under != hWnd())
        LeaveCheck();
}

platform::NativeWindow Command::windowUnderPointer() const
{
    platform::Point pointer;
    return platform::getCursorPos(pointer) ? platform::windowFromPoint(pointer) : 0;
}

platform::NativeWindow Command::hostFormWindow() const
{
    return container() ? container()->form().hWnd() : 0;
}

void Command::enterState(std::uint8_t state, ButtonFace face)
{
    ButtonState = state;
    PaintFace(face);
}

void Command::PaintFace(ButtonFace face)
{
    if (ButtonState == 1 || ButtonState == 3)
        HoverShade = 0;
    else if (ButtonState == 2)
        HoverShade = flagTrue;
    ++faceRepaints;

    cls();
    ShadeFace();
    paintSlices(image(), facePicture(face), faceSlices(width(), height()), forms::Screen::twipsPerPixelX());
    refresh();
    const float top = (static_cast<float>(height()) - static_cast<float>(LblMsg.height()) - 20.0f) / 2.0f;
    LblMsg.move(0, top, width(), LblMsg.height());
}

void Command::ShadeFace()
{
    forms::RgbSurface& surface = image();
    const std::uint32_t top = HoverShade ? shadeLavender : shadeWhite;
    const std::uint32_t bottom = HoverShade ? shadeWhite : shadeLavender;
    // The rectangle in pixels, from the corner to one short of the far sides.
    const std::array<platform::TriVertex, 2> vertices = {vertex(0, 0, top),
                                                         vertex(surface.width() - 1, surface.height() - 1, bottom)};
    const std::array<platform::GradientRect, 1> rectangle = {{{0, 1}}};
    platform::gradientFill({surface.data(), surface.width(), surface.height()}, vertices, rectangle,
                           platform::GradientMode::RectVertical);
    refresh();
}

void Command::LeaveCheck()
{
    if (!EnabledFlag)
        return;
    if (ButtonState == 2)
        enterState(1, ButtonFace::Normal);
    else if (ButtonState == 4)
        enterState(3, ButtonFace::Selected);
}

void Command::ApplyEnabledLook()
{
    if (EnabledFlag) {
        PaintFace(ButtonFace::Normal);
        LblMsg.forms::Control::setEnabled(true);
    } else {
        PaintFace(ButtonFace::Disable);
        LblMsg.forms::Control::setEnabled(false);
    }
}

void Command::ApplyLook()
{
    if (!EnabledFlag)
        return;
    // A step that fails leaves the caption black and the next one runs.
    auto step = [this](const std::function<void()>& run) {
        if (!forms::suppressErrors(run))
            forms::suppressErrors([this] { LblMsg.setForeColor(forms::colourFromBgr(black)); });
    };
    step([this] { LblMsg.forms::Control::setEnabled(true); });
    step([this] {
        if (FirstRun == 0) {
            captionColour = black;
            LblMsg.setForeColor(forms::colourFromBgr(black));
        }
    });
    step([this] { PaintFace(ButtonFace::Normal); });
}

void Command::LblMsg_MouseDown(const forms::MouseEvent& event)
{
    UserControl_MouseDown(event.button, event.shift, event.x, event.y);
    // The caption is part of the surface: pressing it gives the button the focus, too.
    setFocus();
}

void Command::LblMsg_MouseMove(const forms::MouseEvent& event)
{
    UserControl_MouseMove(event.button, event.shift, event.x, event.y);
}

void Command::LblMsg_MouseUp(const forms::MouseEvent& event)
{
    UserControl_MouseUp(event.button, event.shift, event.x, event.y);
}
