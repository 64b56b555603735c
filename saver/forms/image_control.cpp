#include "saver/forms/image_control.h"

namespace forms {

ImageControl::ImageControl(Container& container, std::string name, int index)
    : Control(container, std::move(name), index)
{
    attach(backend::makeImage(*this));
}

void ImageControl::setPicture(std::shared_ptr<const RgbSurface> picture)
{
    shown = std::move(picture);
    peer().redraw();
}

void ImageControl::setStretch(bool stretch)
{
    stretched = stretch;
    peer().redraw();
}

}  // namespace forms
