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

int pointsToPixels(double points, double dotsPerInch)
{
    // The small allowance keeps an exact size exact whatever the floating point makes of it.
    return std::max(1, static_cast<int>(std::floor(points * dotsPerInch / 72.0 + 1e-6)));
}

}  // namespace forms
