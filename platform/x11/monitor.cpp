// The primary monitor on X11: RandR 1.5's monitors (also the ones `xrandr --setmonitor` makes);
// without a primary, the monitor at the screen's origin; without RandR, the whole screen.
#include "platform/monitor.h"

#include <X11/extensions/Xrandr.h>

#include <memory>

#include "platform/x11/connection.h"

namespace platform {
namespace {

struct MonitorsDeleter {
    void operator()(XRRMonitorInfo* monitors) const { XRRFreeMonitors(monitors); }
};

bool hasMonitors(Display* display)
{
    int eventBase, errorBase, major = 0, minor = 0;
    return XRRQueryExtension(display, &eventBase, &errorBase) && XRRQueryVersion(display, &major, &minor) &&
           (major > 1 || (major == 1 && minor >= 5));
}

}  // namespace

Rect primaryMonitor()
{
    auto* c = x11::connection();
    if (!c)
        return {};
    Rect whole{0, 0, DisplayWidth(c->display, c->screen), DisplayHeight(c->display, c->screen)};
    if (!hasMonitors(c->display))
        return whole;
    int count = 0;
    const std::unique_ptr<XRRMonitorInfo[], MonitorsDeleter> monitors(XRRGetMonitors(c->display, c->root, True, &count));
    const XRRMonitorInfo* chosen = nullptr;
    for (int i = 0; monitors && i < count; ++i) {
        const XRRMonitorInfo& monitor = monitors[i];
        if (monitor.primary) {
            chosen = &monitor;
            break;
        }
        if (!chosen && monitor.x == 0 && monitor.y == 0)
            chosen = &monitor;
    }
    if (!chosen || chosen->width <= 0 || chosen->height <= 0)
        return whole;
    return Rect{chosen->x, chosen->y, chosen->x + chosen->width, chosen->y + chosen->height};
}

}  // namespace platform
