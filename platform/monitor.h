#pragma once
// The primary monitor, as MonitorFromPoint((0, 0), MONITOR_DEFAULTTOPRIMARY) and GetMonitorInfo
// give it on Windows: the area that a display-mode switch changes, that full-screen programs
// cover and that a desktop photograph shows.
#include "platform/window.h"

namespace platform {

// Its rectangle in the windowing system's own screen coordinates. Windows puts its top-left
// corner at (0, 0); X may put it anywhere on the screen. Empty without a display.
Rect primaryMonitor();

}  // namespace platform
