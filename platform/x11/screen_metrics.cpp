#include "platform/screen_metrics.h"

#include <X11/Xlib.h>

#include <cstdlib>

#include "platform/x11/connection.h"

namespace platform {

double screenDotsPerInch()
{
    constexpr double standard = 96.0;
    auto* c = x11::connection();
    if (!c)
        return standard;
    // The desktop's font resolution (Xft.dpi in the resource database) is what users set.
    const char* setting = XGetDefault(c->display, "Xft", "dpi");
    const double dpi = setting ? std::strtod(setting, nullptr) : 0.0;
    return dpi >= 1.0 && dpi <= 1440.0 ? dpi : standard;
}

}  // namespace platform
