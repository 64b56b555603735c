// A user control on FLTK: a double-buffered subwindow of its form, so that it has a native
// window of its own and takes the keyboard focus.
#include <FL/Fl_Double_Window.H>
#include <FL/fl_draw.H>

#include "platform/x11/fltk/form_window.h"
#include "saver/forms/fltk/control_widget.h"
#include "saver/forms/user_control.h"

namespace forms::fltk {
namespace {

class UserControlWidget : public ContainerWidget<Fl_Double_Window, backend::UserControlPeer> {
public:
    explicit UserControlWidget(UserControl& owner) : ContainerWidget(owner, 0, 0, 1, 1), owner(owner)
    {
        end();
        resizable(nullptr);
    }

    void draw() override
    {
        if (damage() & ~FL_DAMAGE_CHILD) {
            if (owner.backStyleOpaque()) {
                drawBackground(owner);
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
                owner.focusChanged(true);
            return 1;
        case FL_UNFOCUS:
            owner.focusChanged(false);
            return 1;
        default:
            return ContainerWidget::handle(event);
        }
    }

    // 0 until the window is shown.
    platform::NativeWindow nativeHandle() const override { return platform::formWindowHandle(*this); }

private:
    UserControl& owner;
};

}  // namespace
}  // namespace forms::fltk

namespace forms::backend {

std::unique_ptr<UserControlPeer> makeUserControl(UserControl& owner)
{
    return fltk::newWidget<fltk::UserControlWidget>(owner);
}

}  // namespace forms::backend
