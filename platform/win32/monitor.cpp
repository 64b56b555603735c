#include "platform/monitor.h"

#include <windows.h>

namespace platform {

Rect primaryMonitor()
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info))
        return {};
    const RECT& area = info.rcMonitor;
    return {area.left, area.top, area.right, area.bottom};
}

}  // namespace platform
