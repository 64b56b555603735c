#pragma once
// The FLTK side of controls: each control's peer is an FLTK widget that reports its events to
// the control and draws from the control's state.
#include <FL/Fl.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_RGB_Image.H>

#include <memory>
#include <optional>
#include <utility>

#include "saver/forms/backend.h"
#include "saver/forms/container.h"
#include "saver/forms/control.h"

namespace forms::fltk {

using backend::PixelRect;

// A new toolkit widget outside any group (the toolkit otherwise adds it to the group being built).
template <class Widget, class... Arguments>
std::unique_ptr<Widget> newWidget(Arguments&&... arguments)
{
    Fl_Group* building = Fl_Group::current();
    Fl_Group::current(nullptr);
    auto widget = std::make_unique<Widget>(std::forward<Arguments>(arguments)...);
    Fl_Group::current(building);
    return widget;
}

// The widget of a control's peer: every peer this backend makes is one.
Fl_Widget& widgetOf(backend::ControlPeer& peer);

// Redraws the group a widget is in, for changes that uncover what is under it.
void redrawParent(Fl_Widget& widget);

// Fills the area with the colour and draws the picture's part that falls into it.
void drawPicture(const RgbSurface* picture, int x, int y, int width, int height, Colour fill);
// A container's background over its inner area.
void drawBackground(const Container& container);

// The mouse events of a control's widget, and the pointer shown over it.
class ControlEvents {
public:
    explicit ControlEvents(Control& owner) : owner(owner) {}
    // The toolkit's event for the widget; true when the control took it.
    bool handle(Fl_Widget& widget, int event);
    void setPointer(ControlPointer pointer, std::shared_ptr<const PointerPicture> picture);

private:
    struct ScreenPoint {
        int x, y;
        bool operator==(const ScreenPoint&) const = default;
    };
    // A move to (x, y), at the screen point, unless the control was last told the pointer is
    // there: the toolkit reports a motion only once no other event waits, so one that a press or
    // release follows straight away never comes, and the control must not see the press before
    // the pointer.
    void moveFirst(ScreenPoint screen, int button, int shift, int x, int y);

    Control& owner;
    std::optional<ScreenPoint> pointerAt;  // where the last move to the control was, on the screen
    ControlPointer pointer = ControlPointer::Default;
    std::shared_ptr<const PointerPicture> picture;  // the pixels the image reads from
    std::unique_ptr<Fl_RGB_Image> image;
};

// A toolkit widget that is a control's peer: Base is the widget class, Peer the peer interface.
template <class Base, class Peer = backend::ControlPeer>
class ControlWidget : public Base, public Peer {
public:
    template <class... Arguments>
    explicit ControlWidget(Control& owner, Arguments&&... arguments)
        : Base(std::forward<Arguments>(arguments)...), events(owner)
    {
    }

    int handle(int event) override { return events.handle(*this, event) ? 1 : Base::handle(event); }

    void place(const PixelRect& area) override
    {
        this->resize(area.x, area.y, area.width, area.height);
        redrawParent(*this);
    }
    PixelRect bounds() const override { return {this->x(), this->y(), this->w(), this->h()}; }
    void setVisible(bool visible) override
    {
        if (visible)
            this->show();
        else
            this->hide();
        redrawParent(*this);
    }
    bool visible() const override { return Base::visible(); }
    void setEnabled(bool enabled) override
    {
        if (enabled)
            this->activate();
        else
            this->deactivate();
        Base::redraw();
    }
    bool enabled() const override { return this->active(); }
    void redraw() override { Base::redraw(); }
    void setPointer(ControlPointer pointer, std::shared_ptr<const PointerPicture> picture) override
    {
        events.setPointer(pointer, std::move(picture));
    }
    void detach() override
    {
        if (Fl_Group* group = this->parent())
            group->remove(this);
    }
    void takeFocus() override
    {
        if (!hasFocus())
            this->take_focus();
    }
    bool hasFocus() const override { return Fl::focus() && this->contains(Fl::focus()); }

private:
    ControlEvents events;
};

// What the widgets of containers have in common: they take the controls' widgets.
template <class Base, class Peer>
class ContainerWidget : public ControlWidget<Base, Peer> {
public:
    using ControlWidget<Base, Peer>::ControlWidget;

    // Keys that the focused control left go on to the form, which alone moves the focus by
    // them: the toolkit's own moves (Tab, the arrows, Enter) would not follow the form's order.
    int handle(int event) override
    {
        if (event == FL_KEYBOARD || event == FL_SHORTCUT)
            return 0;
        return ControlWidget<Base, Peer>::handle(event);
    }

    void adopt(backend::ControlPeer& control) override { this->add(widgetOf(control)); }
    void refresh() override
    {
        Base::redraw();
        Fl::flush();
    }
};

}  // namespace forms::fltk
