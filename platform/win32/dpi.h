#pragma once
// Dots per inch on Windows, with or without per-monitor awareness. The calls that know about
// monitors of different scaling came with Windows 8.1 and 10; they are looked up at run time,
// so that the programs still start on older systems (and MinGW's headers need not have them).
#include <windows.h>

namespace platform::win32 {

// Whether the calling thread is per-monitor DPI aware: only then are the per-monitor calls'
// answers the pixels its windows are drawn in. (An unaware thread is told 96 even where the
// screen is scaled, and Wine, which never scales, gives it its real pixels all the same.)
bool perMonitorAware();

// The dpi of the window's monitor for a per-monitor aware thread, else 0: then the system dpi
// (GetDeviceCaps LOGPIXELSX) is the one to use.
UINT windowDpi(HWND window);
UINT primaryMonitorDpi();

// AdjustWindowRectEx at the dpi given, whose caption and frame may differ from the system's.
void adjustWindowRect(RECT& rect, DWORD style, DWORD exStyle, UINT dpi);

// Makes the calling thread's windows speak the host window's DPI awareness, so that a window of
// this program can be the child of another program's window of a different awareness. What the
// system can't match is at least allowed to mix (DPI_HOSTING_BEHAVIOR_MIXED).
void adoptDpiAwarenessOf(HWND host);

}  // namespace platform::win32
