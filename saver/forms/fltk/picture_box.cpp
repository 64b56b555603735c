// A picture box on FLTK: a group that paints the box's image and border under its controls.
#include <FL/fl_draw.H>

#include "saver/forms/fltk/control_widget.h"
#include "saver/forms/picture_box.h"

namespace forms::fltk {
namespace {

class PictureBoxWidget : public ContainerWidget<Fl_Group, backend::PictureBoxPeer> {
public:
    explicit PictureBoxWidget(PictureBox& owner) : ContainerWidget(owner, 0, 0, 0, 0), owner(owner)
    {
        end();
        resizable(nullptr);  // moving the box moves its controls, unscaled
    }

    void draw() override
    {
        if (damage() & ~FL_DAMAGE_CHILD) {
            fl_push_clip(x(), y(), w(), h());
            drawBackground(owner);
            if (owner.hasBorder()) {
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
        return ContainerWidget::handle(event);
    }

private:
    PictureBox& owner;
};

}  // namespace
}  // namespace forms::fltk

namespace forms::backend {

std::unique_ptr<PictureBoxPeer> makePictureBox(PictureBox& owner)
{
    return fltk::newWidget<fltk::PictureBoxWidget>(owner);
}

}  // namespace forms::backend
