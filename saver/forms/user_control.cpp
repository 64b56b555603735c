#include "saver/forms/user_control.h"

#include <stdexcept>

#include "saver/forms/errors_suppressed.h"

namespace forms {

UserControl::UserControl(Container& container, std::string name, int index)
    : Control(container, std::move(name), index)
{
    auto peer = backend::makeUserControl(*this);
    surface = peer.get();
    attach(std::move(peer));
    setFont(ambientFont());
}

UserControl::~UserControl()
{
    releaseControls();
}

platform::NativeWindow UserControl::hWnd() const
{
    return surface->nativeHandle();
}

void UserControl::readProperties(const PropertyBag& saved)
{
    UserControl_ReadProperties(saved);
}

void UserControl::initProperties()
{
    UserControl_InitProperties();
}

PropertyBag UserControl::writeProperties()
{
    PropertyBag kept;
    UserControl_WriteProperties(kept);
    kept.storeExtent(width(), height());
    changed = false;
    return kept;
}

void UserControl::PropertyChanged(std::string_view)
{
    changed = true;
}

FontSpec UserControl::ambientFont() const
{
    return container() ? container()->font() : FontSpec{};
}

void UserControl::setBackStyleOpaque(bool isOpaque)
{
    opaque = isOpaque;
    surface->redraw();
}

int UserControl::innerWidthPixels() const
{
    return surface->bounds().width;
}

int UserControl::innerHeightPixels() const
{
    return surface->bounds().height;
}

Form& UserControl::form()
{
    if (!container())
        throw std::logic_error("the user control " + name() + " is on no form any more");
    return container()->form();
}

void UserControl::mouseDown(const MouseEvent& event)
{
    UserControl_MouseDown(event.button, event.shift, event.x, event.y);
    Control::mouseDown(event);
    // Pressing a control gives it the keyboard focus, after its own mouse-down handler.
    setFocus();
}

void UserControl::mouseMove(const MouseEvent& event)
{
    UserControl_MouseMove(event.button, event.shift, event.x, event.y);
    Control::mouseMove(event);
}

void UserControl::mouseUp(const MouseEvent& event)
{
    UserControl_MouseUp(event.button, event.shift, event.x, event.y);
    Control::mouseUp(event);
}

void UserControl::moved()
{
    suppressErrors([this] { UserControl_Resize(); });
}

}  // namespace forms
