#include "platform/screen_metrics.h"

#include <windows.h>

namespace platform {

double screenDotsPerInch()
{
    HDC screen = GetDC(nullptr);
    if (!screen)
        return 96.0;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96.0;
}

}  // namespace platform
