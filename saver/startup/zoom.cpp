#include "saver/startup/zoom.h"

#include "platform/zoom_animation.h"
#include "saver/startup/shared_settings.h"

namespace {

// The empty rectangle at the zoom point.
platform::Rect zoomPoint()
{
    return {Hoarveil_B.ZoomPointX, Hoarveil_B.ZoomPointY, Hoarveil_B.ZoomPointX, Hoarveil_B.ZoomPointY};
}

platform::Rect windowRect(platform::NativeWindow window)
{
    platform::Rect rect;
    platform::getWindowRect(window, rect);
    return rect;
}

}  // namespace

void ZoomOpen(platform::NativeWindow window)
{
    platform::drawAnimatedRects(window, platform::IDANI_CAPTION, zoomPoint(), windowRect(window));
}

void ZoomClose(platform::NativeWindow window)
{
    platform::drawAnimatedRects(window, platform::IDANI_CAPTION, windowRect(window), zoomPoint());
}
