// An image control on FLTK: a windowless box that draws the picture, stretched in software.
#include <FL/Fl_Box.H>
#include <FL/fl_draw.H>

#include "saver/forms/fltk/control_widget.h"
#include "saver/forms/image_control.h"

namespace forms::fltk {
namespace {

class ImageWidget : public ControlWidget<Fl_Box> {
public:
    explicit ImageWidget(ImageControl& owner) : ControlWidget(owner, 0, 0, 0, 0), owner(owner) { box(FL_NO_BOX); }

    void draw() override
    {
        const auto& picture = owner.picture();
        if (!picture || picture->empty() || w() <= 0 || h() <= 0)
            return;
        fl_push_clip(x(), y(), w(), h());
        if (owner.stretch() && (picture->width() != w() || picture->height() != h())) {
            RgbSurface scaled(w(), h());
            scaled.stretchFrom(*picture, 0, 0, w(), h(), 0, 0, picture->width(), picture->height());
            fl_draw_image(scaled.data(), x(), y(), w(), h(), 3);
        } else {
            const RgbSurface& shown = *owner.shownPicture();
            fl_draw_image(shown.data(), x(), y(), std::min(w(), shown.width()), std::min(h(), shown.height()), 3,
                          shown.width() * 3);
        }
        fl_pop_clip();
    }

private:
    ImageControl& owner;
};

}  // namespace
}  // namespace forms::fltk

namespace forms::backend {

std::unique_ptr<ControlPeer> makeImage(ImageControl& owner)
{
    return fltk::newWidget<fltk::ImageWidget>(owner);
}

}  // namespace forms::backend
