#include "saver/forms/picture_box.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <stdexcept>

namespace forms {

class PictureBox::Widget : public ControlWidget<Fl_Group> {
public:
    Widget(PictureBox& owner) : ControlWidget<Fl_Group>(owner, 0, 0, 0, 0), owner(owner)
    {
        end();
        resizable(nullptr);  // moving the box moves its controls, unscaled
    }

    void draw() override
    {
        if (damage() & ~FL_DAMAGE_CHILD) {
            fl_push_clip(x(), y(), w(), h());
            owner.paintBackground();
            if (owner.border) {
                fl_color(FL_BLACK);
                fl_rect(x(), y(), w(), h());
            }
            fl_pop_clip();
        }
        draw_children();
    }

    int handle(int event) override
    {
        // Controls inside the box come first; what they leave is the box's own.
        if (event == FL_PUSH || event == FL_RELEASE || event == FL_DRAG || event == FL_MOVE || event == FL_ENTER)
            if (Fl_Group::handle(event))
                return 1;
        return ControlWidget<Fl_Group>::handle(event);
    }

private:
    PictureBox& owner;
};

PictureBox::PictureBox(Container& container, std::string name, int index)
    : Control(container, std::move(name), index), box(newWidget<Widget>(*this))
{
    attach(box);
}

PictureBox::~PictureBox()
{
    releaseControls();
}

void PictureBox::setBorder(bool fixedSingle)
{
    border = fixedSingle;
    box->redraw();
}

Fl_Group& PictureBox::group()
{
    return *box;
}

int PictureBox::innerLeftPixels() const
{
    return box->x() + (border ? 1 : 0);
}

int PictureBox::innerTopPixels() const
{
    return box->y() + (border ? 1 : 0);
}

int PictureBox::innerWidthPixels() const
{
    return box->w() - (border ? 2 : 0);
}

int PictureBox::innerHeightPixels() const
{
    return box->h() - (border ? 2 : 0);
}

Form& PictureBox::form()
{
    if (!container())
        throw std::logic_error("the picture box " + name() + " is on no form any more");
    return container()->form();
}

void PictureBox::refresh()
{
    box->redraw();
    Fl::flush();
}

}  // namespace forms
