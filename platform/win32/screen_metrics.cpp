#include "platform/screen_metrics.h"

#include <windows.h>

#include "platform/win32/dpi.h"

namespace platform {

double screenDotsPerInch()
{
    // Per-monitor aware, the dialog is drawn at the primary monitor's own scaling; otherwise
    // at the system's (on Windows a scaled screen then stretches the unaware program's pixels).
    if (const UINT dpi = win32::primaryMonitorDpi())
        return dpi;
    HDC screen = GetDC(nullptr);
    if (!screen)
        return 96.0;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96.0;
}

}  // namespace platform
