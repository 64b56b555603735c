#include "platform/pointer.h"

#include <X11/Xlib.h>

#include "platform/x11/connection.h"

namespace platform {

bool getCursorPos(Point& point)
{
    point = {};
    auto* c = x11::connection();
    if (!c)
        return false;
    ::Window rootUnder = 0, childUnder = 0;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned mask = 0;
    if (!XQueryPointer(c->display, c->root, &rootUnder, &childUnder, &rootX, &rootY, &windowX, &windowY, &mask))
        return false;  // the pointer is on another screen
    point = {rootX, rootY};
    return true;
}

NativeWindow windowFromPoint(Point point)
{
    auto* c = x11::connection();
    if (!c)
        return 0;
    // Down from the root through the mapped child that holds the point at each level: through a
    // window manager's frame to the client, and on into the client's own child windows.
    ::Window innermost = 0;
    x11::withoutErrors(c->display, [&] {
        ::Window current = c->root;
        for (;;) {
            int x = 0, y = 0;
            ::Window child = 0;
            if (!XTranslateCoordinates(c->display, c->root, current, point.x, point.y, &x, &y, &child) || !child)
                break;
            current = child;
            innermost = child;
        }
    });
    return innermost;
}

}  // namespace platform
