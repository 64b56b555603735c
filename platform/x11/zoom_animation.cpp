// The caption zoom on X11: outlines drawn with XOR on the root window, over every window, each
// drawn twice so the screen is left as it was.
#include "platform/zoom_animation.h"

#include <X11/Xlib.h>
#include <time.h>

#include <algorithm>

#include "platform/x11/connection.h"

namespace platform {
namespace {

class XorPen {
public:
    explicit XorPen(const x11::Connection& c) : display(c.display), root(c.root)
    {
        XGCValues values = {};
        values.function = GXxor;
        values.foreground = WhitePixel(display, c.screen) ^ BlackPixel(display, c.screen);
        values.subwindow_mode = IncludeInferiors;
        values.line_width = 2;
        gc = XCreateGC(display, root, GCFunction | GCForeground | GCSubwindowMode | GCLineWidth, &values);
    }
    ~XorPen() { XFreeGC(display, gc); }
    XorPen(const XorPen&) = delete;
    XorPen& operator=(const XorPen&) = delete;

    void outline(const Rect& r)
    {
        const int width = std::max(1, r.right - r.left), height = std::max(1, r.bottom - r.top);
        XDrawRectangle(display, root, gc, r.left, r.top, static_cast<unsigned>(width), static_cast<unsigned>(height));
    }

private:
    Display* display;
    ::Window root;
    GC gc;
};

int between(int from, int to, int step, int steps)
{
    return from + (to - from) * step / steps;
}

}  // namespace

void drawAnimatedRects(NativeWindow, int animation, const Rect& from, const Rect& to)
{
    auto* c = x11::connection();
    if (!c || animation != IDANI_CAPTION)
        return;
    constexpr int steps = 10;
    constexpr timespec frame{0, 12'000'000};
    XorPen pen(*c);
    for (int step = 1; step <= steps; ++step) {
        const Rect r{between(from.left, to.left, step, steps), between(from.top, to.top, step, steps),
                     between(from.right, to.right, step, steps), between(from.bottom, to.bottom, step, steps)};
        pen.outline(r);
        XFlush(c->display);
        nanosleep(&frame, nullptr);
        pen.outline(r);
    }
    // Played means erased too: wait until the server has drawn the last outline away.
    XSync(c->display, False);
}

}  // namespace platform
