// The platform's header comes before <windows.h>, whose macros carry the animation's name.
#include "platform/zoom_animation.h"

#include <windows.h>

namespace platform {

void drawAnimatedRects(NativeWindow window, int animation, const Rect& from, const Rect& to)
{
    const RECT start{from.left, from.top, from.right, from.bottom}, end{to.left, to.top, to.right, to.bottom};
    DrawAnimatedRects(reinterpret_cast<HWND>(window), animation, &start, &end);
}

}  // namespace platform
