#include "saver/forms/twips.h"

#include <algorithm>
#include <cmath>

namespace forms {

int twipsPerPixelAt(double dotsPerInch)
{
    if (!(dotsPerInch > 0))
        return 15;
    return std::max(1, static_cast<int>(std::lround(twipsPerInch / dotsPerInch)));
}

int twipsToPixels(double twips, int twipsPerPixel)
{
    return static_cast<int>(std::lround(twips / std::max(1, twipsPerPixel)));
}

double pixelsToTwips(int pixels, int twipsPerPixel)
{
    return static_cast<double>(pixels) * twipsPerPixel;
}

}  // namespace forms
