// A shape on FLTK: a widget that draws the outline and lets the mouse through.
#include <FL/Fl_Widget.H>
#include <FL/fl_draw.H>

#include "saver/forms/fltk/control_widget.h"
#include "saver/forms/shape.h"

namespace forms::fltk {
namespace {

class ShapeWidget : public ControlWidget<Fl_Widget> {
public:
    explicit ShapeWidget(Shape& owner) : ControlWidget(owner, 0, 0, 0, 0), owner(owner) {}

    void draw() override
    {
        if (w() <= 0 || h() <= 0)
            return;
        const Colour border = owner.borderColor();
        fl_color(fl_rgb_color(border.r, border.g, border.b));
        fl_rect(x(), y(), w(), h());
    }

    // Shapes take no mouse input: clicks go to what is under them.
    int handle(int) override { return 0; }

    void redraw() override { redrawParent(*this); }

private:
    Shape& owner;
};

}  // namespace
}  // namespace forms::fltk

namespace forms::backend {

std::unique_ptr<ControlPeer> makeShape(Shape& owner)
{
    return fltk::newWidget<fltk::ShapeWidget>(owner);
}

}  // namespace forms::backend
