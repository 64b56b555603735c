#include "saver/forms/control.h"

#include <algorithm>

#include "saver/forms/container.h"
#include "saver/forms/errors_suppressed.h"
#include "saver/forms/form.h"
#include "saver/forms/screen.h"
#include "saver/forms/twips.h"

namespace forms {

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
    if (ownPeer)
        ownPeer->detach();
}

void Control::leaveContainer()
{
    if (ownPeer)
        ownPeer->detach();
    holder = nullptr;
}

void Control::attach(std::unique_ptr<backend::ControlPeer> peer)
{
    ownPeer = std::move(peer);
    if (holder)
        holder->containerPeer().adopt(*ownPeer);
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
    const double x = Screen::twipsPerPixelX(), y = Screen::twipsPerPixelY();
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

void Control::rescaled()
{
    place();
    moved();
}

void Control::place()
{
    if (!ownPeer || !holder)
        return;
    ownPeer->place({holder->innerLeftPixels() + leftPixels(), holder->innerTopPixels() + topPixels(), widthPixels(),
                    heightPixels()});
}

bool Control::visible() const
{
    return ownPeer && ownPeer->visible();
}

void Control::setVisible(bool visible)
{
    if (ownPeer)
        ownPeer->setVisible(visible);
}

bool Control::enabled() const
{
    return ownPeer && ownPeer->enabled();
}

void Control::setEnabled(bool enabled)
{
    if (ownPeer)
        ownPeer->setEnabled(enabled);
}

void Control::setMousePointer(ControlPointer pointer)
{
    pointerOver = pointer;
    if (ownPeer)
        ownPeer->setPointer(pointerOver, mouseIcon);
}

void Control::setMouseIcon(const RgbSurface& picture, Colour transparent, int hotX, int hotY)
{
    auto icon = std::make_shared<PointerPicture>();
    icon->rgba.reserve(std::size_t(picture.width()) * picture.height() * 4);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const Colour c = picture.pixel(x, y);
            icon->rgba.insert(icon->rgba.end(), {c.r, c.g, c.b, static_cast<std::uint8_t>(c == transparent ? 0 : 255)});
        }
    icon->width = picture.width();
    icon->height = picture.height();
    icon->hotX = hotX;
    icon->hotY = hotY;
    mouseIcon = std::move(icon);
    if (ownPeer)
        ownPeer->setPointer(pointerOver, mouseIcon);
}

void Control::setFocus()
{
    if (ownPeer)
        ownPeer->takeFocus();
}

bool Control::hasFocus() const
{
    return ownPeer && ownPeer->hasFocus();
}

bool Control::tabStopNow() const
{
    if (!tabStop() || !visible() || !enabled())
        return false;
    for (const Container* inside = holder; inside;) {
        const auto* box = dynamic_cast<const Control*>(inside);
        if (!box)
            return true;  // the form
        if (!box->visible() || !box->enabled())
            return false;
        inside = box->container();
    }
    return false;  // on no form any more
}

void Control::focusChanged(bool got)
{
    if (got) {
        if (holder)
            suppressErrors([this] { holder->form().focusReached(*this); });
        suppressErrors([this] { gotFocus(); });
    } else {
        suppressErrors([this] { lostFocus(); });
    }
}

MouseEvent Control::mouseEventAt(int button, int shift, int x, int y) const
{
    return {button, shift, pixelsToTwips(x, Screen::twipsPerPixelX()), pixelsToTwips(y, Screen::twipsPerPixelY())};
}

// Handlers run with errors suppressed: nothing they throw may cross the toolkit.
void Control::pointerPressed(int button, int shift, int x, int y)
{
    const MouseEvent mouse = mouseEventAt(button, shift, x, y);
    suppressErrors([&] { mouseDown(mouse); });
}

void Control::pointerMoved(int button, int shift, int x, int y)
{
    const MouseEvent mouse = mouseEventAt(button, shift, x, y);
    suppressErrors([&] { mouseMove(mouse); });
}

void Control::pointerReleased(int button, int shift, int x, int y, bool inside)
{
    const MouseEvent mouse = mouseEventAt(button, shift, x, y);
    suppressErrors([&] { mouseUp(mouse); });
    if (inside)
        suppressErrors([&] { click(); });
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
