#include "saver/forms/image_control.h"

#include <FL/Fl_Box.H>
#include <FL/fl_draw.H>

#include "saver/forms/container.h"

namespace forms {

class ImageControl::Widget : public ControlWidget<Fl_Box> {
public:
    explicit Widget(ImageControl& owner) : ControlWidget<Fl_Box>(owner, 0, 0, 0, 0), owner(owner)
    {
        box(FL_NO_BOX);
    }

    void draw() override
    {
        const auto& picture = owner.shown;
        if (!picture || picture->empty() || w() <= 0 || h() <= 0)
            return;
        fl_push_clip(x(), y(), w(), h());
        if (owner.stretched && (picture->width() != w() || picture->height() != h())) {
            RgbSurface scaled(w(), h());
            scaled.stretchFrom(*picture, 0, 0, w(), h(), 0, 0, picture->width(), picture->height());
            fl_draw_image(scaled.data(), x(), y(), w(), h(), 3);
        } else {
            fl_draw_image(picture->data(), x(), y(), std::min(w(), picture->width()), std::min(h(), picture->height()),
                          3, picture->width() * 3);
        }
        fl_pop_clip();
    }

private:
    ImageControl& owner;
};

ImageControl::ImageControl(Container& container, std::string name, int index)
    : Control(container, std::move(name), index)
{
    attach(newWidget<Widget>(*this));
}

void ImageControl::setPicture(std::shared_ptr<const RgbSurface> picture)
{
    shown = std::move(picture);
    widget().redraw();
}

void ImageControl::setStretch(bool stretch)
{
    stretched = stretch;
    widget().redraw();
}

}  // namespace forms
