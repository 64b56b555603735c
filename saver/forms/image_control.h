#pragma once
// An image control: a windowless control that shows a picture, at its size or stretched to the
// control's size.
#include <memory>

#include "saver/forms/control.h"
#include "saver/forms/design_sized_picture.h"
#include "saver/forms/rgb_surface.h"

namespace forms {

class ImageControl : public Control {
public:
    ImageControl(Container& container, std::string name, int index = -1);

    // Pictures are shared: giving one control's picture to another copies no pixels.
    const std::shared_ptr<const RgbSurface>& picture() const { return shown; }
    void setPicture(std::shared_ptr<const RgbSurface> picture);
    // What the toolkit draws at the top-left corner when not stretched: the picture at its
    // design size on this screen.
    const RgbSurface* shownPicture() const { return sizedPicture.of(shown); }
    bool stretch() const { return stretched; }
    void setStretch(bool stretch);

private:
    std::shared_ptr<const RgbSurface> shown;
    mutable DesignSizedPicture sizedPicture;
    bool stretched = false;
};

}  // namespace forms
