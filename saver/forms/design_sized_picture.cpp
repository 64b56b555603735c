#include "saver/forms/design_sized_picture.h"

#include "saver/forms/screen.h"

namespace forms {

const RgbSurface* DesignSizedPicture::of(const std::shared_ptr<const RgbSurface>& picture)
{
    if (!picture)
        return nullptr;
    const double twipsPerPixel = Screen::twipsPerPixelX();
    if (picture != source || twipsPerPixel != madeForTwipsPerPixel) {
        source = picture;
        madeForTwipsPerPixel = twipsPerPixel;
        sized = atDesignSize(*picture, twipsPerPixel);
    }
    return &sized;
}

}  // namespace forms
