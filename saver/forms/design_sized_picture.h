#pragma once
// A picture as it is shown: at its design size on the screen's current resolution, made once
// per picture and resolution and kept until either changes.
#include <memory>

#include "saver/forms/rgb_surface.h"

namespace forms {

class DesignSizedPicture {
public:
    // The picture at its design size; null for no picture. Valid until the next call.
    const RgbSurface* of(const std::shared_ptr<const RgbSurface>& picture);

private:
    std::shared_ptr<const RgbSurface> source;
    double madeForTwipsPerPixel = 0;
    RgbSurface sized;
};

}  // namespace forms
