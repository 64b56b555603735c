#pragma once
// The caption-zoom animation windows play when they open from or close to a point.
#include "platform/native_window.h"

namespace platform {

enum : int { IDANI_CAPTION = 3 };

// DrawAnimatedRects: a few outlines moving from one screen rectangle to the other, leaving
// nothing behind. Returns when the animation has been played.
void drawAnimatedRects(NativeWindow window, int animation, const Rect& from, const Rect& to);

}  // namespace platform
