#include "saver/forms/control.h"

#include <FL/Fl.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Window.H>

#include <algorithm>

#include "saver/forms/container.h"
#include "saver/forms/errors_suppressed.h"
#include "saver/forms/screen.h"
#include "saver/forms/twips.h"

namespace forms {
namespace {

int formsButton(int toolkitButton)
{
    switch (toolkitButton) {
    case FL_LEFT_MOUSE: return vbLeftButton;
    case FL_RIGHT_MOUSE: return vbRightButton;
    case FL_MIDDLE_MOUSE: return vbMiddleButton;
    default: return 0;
    }
}

int formsShift()
{
    const int state = Fl::event_state();
    return (state & FL_SHIFT ? vbShiftMask : 0) | (state & FL_CTRL ? vbCtrlMask : 0) | (state & FL_ALT ? vbAltMask : 0);
}

}  // namespace

// The pointer picture as the toolkit takes it, RGBA, with the pixels it reads from.
struct Control::PointerPicture {
    std::vector<unsigned char> rgba;
    std::unique_ptr<Fl_RGB_Image> image;
    int hotX = 0, hotY = 0;
};

Control::Control(Container& container, std::string name, int index)
    : holder(&container), controlName(std::move(name)), controlIndex(index)
{
    container.held.push_back(this);
}

Control::~Control()
{
    if (holder) {
        auto& held = holder->held;
        held.erase(std::remove(held.begin(), held.end(), this), held.end());
    }
    if (ownWidget) {
        if (Fl_Group* group = ownWidget->parent())
            group->remove(ownWidget);
        delete ownWidget;
    }
}

void Control::leaveContainer()
{
    if (ownWidget && ownWidget->parent())
        ownWidget->parent()->remove(ownWidget);
    holder = nullptr;
}

void Control::attach(Fl_Widget* widget)
{
    ownWidget = widget;
    if (holder)
        holder->group().add(widget);
    place();
}

void Control::move(double left, double top, double width, double height)
{
    leftTwips = left;
    topTwips = top;
    widthTwips = std::max(0.0, width);
    heightTwips = std::max(0.0, height);
    place();
    moved();
}

void Control::movePixels(int left, int top, int width, int height)
{
    const int x = Screen::twipsPerPixelX(), y = Screen::twipsPerPixelY();
    move(pixelsToTwips(left, x), pixelsToTwips(top, y), pixelsToTwips(width, x), pixelsToTwips(height, y));
}

int Control::leftPixels() const
{
    return twipsToPixels(leftTwips, Screen::twipsPerPixelX());
}

int Control::topPixels() const
{
    return twipsToPixels(topTwips, Screen::twipsPerPixelY());
}

int Control::widthPixels() const
{
    return twipsToPixels(widthTwips, Screen::twipsPerPixelX());
}

int Control::heightPixels() const
{
    return twipsToPixels(heightTwips, Screen::twipsPerPixelY());
}

void Control::place()
{
    if (!ownWidget || !holder)
        return;
    ownWidget->resize(holder->innerLeftPixels() + leftPixels(), holder->innerTopPixels() + topPixels(),
                      widthPixels(), heightPixels());
    if (Fl_Group* group = ownWidget->parent())
        group->redraw();
}

bool Control::visible() const
{
    return ownWidget && ownWidget->visible();
}

void Control::setVisible(bool visible)
{
    if (!ownWidget)
        return;
    if (visible)
        ownWidget->show();
    else
        ownWidget->hide();
    if (Fl_Group* group = ownWidget->parent())
        group->redraw();
}

bool Control::enabled() const
{
    return ownWidget && ownWidget->active();
}

void Control::setEnabled(bool enabled)
{
    if (!ownWidget)
        return;
    if (enabled)
        ownWidget->activate();
    else
        ownWidget->deactivate();
    ownWidget->redraw();
}

MouseEvent Control::currentMouseEvent() const
{
    // A control with a window of its own gets its events in that window's coordinates already.
    const bool ownWindow = ownWidget->as_window() != nullptr;
    const int x = Fl::event_x() - (ownWindow ? 0 : ownWidget->x()), y = Fl::event_y() - (ownWindow ? 0 : ownWidget->y());
    return {formsButton(Fl::event_button()), formsShift(), pixelsToTwips(x, Screen::twipsPerPixelX()),
            pixelsToTwips(y, Screen::twipsPerPixelY())};
}

bool Control::handleToolkitEvent(int event)
{
    // Handlers run with errors suppressed: nothing they throw may cross the toolkit.
    switch (event) {
    case FL_ENTER: {
        if (pointerOver == ControlPointer::Custom && mouseIcon && ownWidget->window())
            ownWidget->window()->cursor(mouseIcon->image.get(), mouseIcon->hotX, mouseIcon->hotY);
        else if (pointerOver != ControlPointer::Default && ownWidget->window())
            ownWidget->window()->cursor(FL_CURSOR_HAND);
        // The toolkit reports the motion that crosses into a control as the entry alone; that
        // motion is a mouse move over the control all the same.
        MouseEvent mouse = currentMouseEvent();
        mouse.button = 0;
        suppressErrors([&] { mouseMove(mouse); });
        return true;  // and so receive the moves
    }
    case FL_LEAVE:
        if (pointerOver != ControlPointer::Default && ownWidget->window())
            ownWidget->window()->cursor(Screen::mousePointer() == MousePointer::Hourglass ? FL_CURSOR_WAIT
                                                                                            : FL_CURSOR_DEFAULT);
        return true;
    case FL_PUSH: {
        const MouseEvent mouse = currentMouseEvent();
        suppressErrors([&] { mouseDown(mouse); });
        return true;  // and so receive the drag and the release
    }
    case FL_MOVE:
    case FL_DRAG: {
        MouseEvent mouse = currentMouseEvent();
        mouse.button = event == FL_DRAG ? mouse.button : 0;
        suppressErrors([&] { mouseMove(mouse); });
        return true;
    }
    case FL_RELEASE: {
        const MouseEvent mouse = currentMouseEvent();
        const bool inside = Fl::event_inside(ownWidget);
        suppressErrors([&] { mouseUp(mouse); });
        if (inside)
            suppressErrors([&] { click(); });
        return true;
    }
    default:
        return false;
    }
}

void Control::mouseDown(const MouseEvent& event)
{
    if (onMouseDown)
        onMouseDown(event);
}

void Control::mouseMove(const MouseEvent& event)
{
    if (onMouseMove)
        onMouseMove(event);
}

void Control::mouseUp(const MouseEvent& event)
{
    if (onMouseUp)
        onMouseUp(event);
}

void Control::click()
{
    if (onClick)
        onClick();
}

}  // namespace forms

namespace forms {

void Control::setMouseIcon(const RgbSurface& picture, Colour transparent, int hotX, int hotY)
{
    auto icon = std::make_shared<PointerPicture>();
    icon->rgba.reserve(std::size_t(picture.width()) * picture.height() * 4);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const Colour c = picture.pixel(x, y);
            icon->rgba.insert(icon->rgba.end(), {c.r, c.g, c.b, static_cast<unsigned char>(c == transparent ? 0 : 255)});
        }
    icon->image = std::make_unique<Fl_RGB_Image>(icon->rgba.data(), picture.width(), picture.height(), 4);
    icon->hotX = hotX;
    icon->hotY = hotY;
    mouseIcon = std::move(icon);
}

}  // namespace forms
