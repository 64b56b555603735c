#include "saver/forms/shape.h"

#include <FL/Fl_Widget.H>
#include <FL/fl_draw.H>

namespace forms {

class Shape::Widget : public ControlWidget<Fl_Widget> {
public:
    explicit Widget(Shape& owner) : ControlWidget<Fl_Widget>(owner, 0, 0, 0, 0), owner(owner) {}

    void draw() override
    {
        if (w() <= 0 || h() <= 0)
            return;
        fl_color(fl_rgb_color(owner.border.r, owner.border.g, owner.border.b));
        fl_rect(x(), y(), w(), h());
    }

    // Shapes take no mouse input: clicks go to what is under them.
    int handle(int) override { return 0; }

private:
    Shape& owner;
};

Shape::Shape(Container& container, std::string name, int index) : Control(container, std::move(name), index)
{
    attach(newWidget<Widget>(*this));
}

void Shape::setBorderColor(Colour colour)
{
    border = colour;
    if (Fl_Group* group = widget().parent())
        group->redraw();
}

}  // namespace forms
