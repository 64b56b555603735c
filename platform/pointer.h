#pragma once
// The mouse pointer and the window under it, with the meaning of the Win32 calls they stand
// for. A control that tracks the pointer by polling asks these on every tick, so they only read.
#include <cstdint>

#include "platform/native_window.h"

namespace platform {

struct Point {
    std::int32_t x = 0, y = 0;
};

// GetCursorPos: the pointer's position in screen pixels. False, with the point at 0, 0, when
// there is no display to ask.
bool getCursorPos(Point& point);

// WindowFromPoint: the innermost visible window that contains the screen point (a child window
// rather than its top-level parent); 0 when there is none or no display.
NativeWindow windowFromPoint(Point point);

}  // namespace platform
