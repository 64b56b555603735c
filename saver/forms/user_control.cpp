#include "saver/forms/user_control.h"

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/fl_draw.H>

#include <stdexcept>

#include "platform/form_window.h"
#include "saver/forms/errors_suppressed.h"

namespace forms {

class UserControl::Widget : public ControlWidget<Fl_Double_Window> {
public:
    explicit Widget(UserControl& owner) : ControlWidget<Fl_Double_Window>(owner, 0, 0, 1, 1), owner(owner)
    {
        end();
        resizable(nullptr);
    }

    void draw() override
    {
        if (damage() & ~FL_DAMAGE_CHILD) {
            if (owner.opaque) {
                owner.paintBackground();
            } else {
                const Colour host = owner.container() ? owner.container()->backColor() : owner.backColor();
                fl_rectf(0, 0, w(), h(), host.r, host.g, host.b);
            }
        }
        draw_children();
    }

    int handle(int event) override
    {
        switch (event) {
        case FL_FOCUS:
            // The toolkit asks a focused window again when a widget inside it is activated;
            // only a real gain is one.
            if (Fl::focus() != this)
                suppressErrors([this] { owner.UserControl_GotFocus(); });
            return 1;
        case FL_UNFOCUS:
            suppressErrors([this] { owner.UserControl_LostFocus(); });
            return 1;
        default:
            return ControlWidget<Fl_Double_Window>::handle(event);
        }
    }

private:
    UserControl& owner;
};

UserControl::UserControl(Container& container, std::string name, int index)
    : Control(container, std::move(name), index), surface(newWidget<Widget>(*this))
{
    attach(surface);
    setFont(ambientFont());
}

UserControl::~UserControl()
{
    releaseControls();
}

platform::NativeWindow UserControl::hWnd() const
{
    return surface->shown() ? platform::formWindowHandle(*surface) : 0;
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

Fl_Group& UserControl::group()
{
    return *surface;
}

int UserControl::innerWidthPixels() const
{
    return surface->w();
}

int UserControl::innerHeightPixels() const
{
    return surface->h();
}

Form& UserControl::form()
{
    if (!container())
        throw std::logic_error("the user control " + name() + " is on no form any more");
    return container()->form();
}

void UserControl::refresh()
{
    surface->redraw();
    Fl::flush();
}

void UserControl::mouseDown(const MouseEvent& event)
{
    UserControl_MouseDown(event.button, event.shift, event.x, event.y);
    Control::mouseDown(event);
    // Pressing a control gives it the keyboard focus, after its own mouse-down handler.
    if (Fl::focus() != surface)
        surface->take_focus();
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
