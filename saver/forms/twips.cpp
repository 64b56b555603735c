#include "saver/forms/twips.h"

#include <algorithm>
#include <cmath>

namespace forms {

double twipsPerPixelAt(double dotsPerInch)
{
    if (!(dotsPerInch > 0))
        return pictureTwipsPerPixel;
    // A pixel finer than a twip is finer than anything the runtime measures; never 0 either.
    return std::max(1.0, twipsPerInch / dotsPerInch);
}

int twipsToPixels(double twips, double twipsPerPixel)
{
    if (!(twipsPerPixel > 0))
        twipsPerPixel = 1;
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

double pixelsToTwips(int pixels, double twipsPerPixel)
{
    return static_cast<double>(pixels) * twipsPerPixel;
}

}  // namespace forms
