#include "platform/pointer.h"

#include <X11/Xlib.h>

#include "platform/x11/connection.h"

namespace platform {
namespace {

// The window under the point by geometry alone: down from the root through the mapped child
// that holds the point at each level.
::Window innermostByGeometry(x11::Connection& c, Point point)
{
    ::Window innermost = 0, current = c.root;
    for (;;) {
        int x = 0, y = 0;
        ::Window child = 0;
        if (!XTranslateCoordinates(c.display, c.root, current, point.x, point.y, &x, &y, &child) || !child)
            return innermost;
        innermost = current = child;
    }
}

// The window the pointer is in, as the server sees it: input shapes count, so a compositor's
// overlay that lets the pointer through is looked through too. 0 when the pointer has moved
// off the point.
::Window innermostUnderPointer(x11::Connection& c, Point point)
{
    ::Window innermost = 0, current = c.root;
    for (;;) {
        ::Window root = 0, child = 0;
        int rootX = 0, rootY = 0, x = 0, y = 0;
        unsigned mask = 0;
        if (!XQueryPointer(c.display, current, &root, &child, &rootX, &rootY, &x, &y, &mask) || rootX != point.x ||
            rootY != point.y)
            return 0;
        if (!child)
            return innermost;
        innermost = current = child;
    }
}

}  // namespace

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
    // Windows may go while we look: an error ends the look-up with what was found.
    ::Window innermost = 0;
    x11::withoutErrors(c->display, [&] {
        innermost = innermostUnderPointer(*c, point);
        if (!innermost)
            innermost = innermostByGeometry(*c, point);
    });
    return innermost;
}

}  // namespace platform
