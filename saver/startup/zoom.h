#pragma once
// The start-up module's window animations, which the settings dialog plays when it opens and
// closes: the caption zoom between the point (ZoomPointX, ZoomPointY) and the window.
#include "platform/native_window.h"

// From the point out to the window's rectangle.
void ZoomOpen(platform::NativeWindow window);
// From the window's rectangle back to the point.
void ZoomClose(platform::NativeWindow window);
