// Windows of any program on X11. A Win32 top-level window is, here, a child of the root window
// or, under a window manager, the client window inside its frame.
#include "platform/native_window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "platform/x11/connection.h"

namespace platform {
namespace {

using x11::connection;

std::string textProperty(Display* display, ::Window window, Atom property)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, AnyPropertyType, &type, &format, &count,
                           &remaining, &data) != Success ||
        !data)
        return {};
    std::string text(reinterpret_cast<char*>(data), format == 8 ? count : 0);
    XFree(data);
    return text;
}

bool hasProperty(Display* display, ::Window window, Atom property)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    const bool found = XGetWindowProperty(display, window, property, 0, 0, False, AnyPropertyType, &type, &format,
                                          &count, &remaining, &data) == Success &&
                       type != 0;
    if (data)
        XFree(data);
    return found;
}

struct TitleSearch {
    Display* display;
    const std::string& title;
    Atom netWmName;
    Atom wmState;

    bool matches(::Window window) const
    {
        return textProperty(display, window, XA_WM_NAME) == title ||
               textProperty(display, window, netWmName) == title;
    }

    // The children of a window, topmost first, as FindWindow walks the Z order. A child that is
    // no client itself (no WM_STATE) may be a window manager's frame: its clients are looked at
    // too, a few levels down.
    ::Window among(::Window parent, int framesDeep) const
    {
        ::Window root = 0, grandParent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, parent, &root, &grandParent, &children, &count))
            return 0;
        ::Window found = 0;
        for (unsigned i = count; i-- > 0 && !found;) {
            if (matches(children[i]))
                found = children[i];
            else if (framesDeep > 0 && !hasProperty(display, children[i], wmState))
                found = among(children[i], framesDeep - 1);
        }
        if (children)
            XFree(children);
        return found;
    }
};

}  // namespace

NativeWindow findWindow(const std::string& title)
{
    auto* c = connection();
    if (!c)
        return 0;
    const TitleSearch search{c->display, title, c->netWmName, XInternAtom(c->display, "WM_STATE", False)};
    return search.among(c->root, 2);
}

bool getWindowRect(NativeWindow window, Rect& rect)
{
    rect = {};
    auto* c = connection();
    if (!c || !window)
        return false;
    XWindowAttributes attributes;
    ::Window child = 0;
    int x = 0, y = 0;
    const bool found = x11::withoutErrors(c->display, [&] {
        if (XGetWindowAttributes(c->display, window, &attributes))
            XTranslateCoordinates(c->display, window, c->root, 0, 0, &x, &y, &child);
    });
    if (!found)
        return false;
    rect = {x, y, x + attributes.width, y + attributes.height};
    return true;
}

bool setParent(NativeWindow child, NativeWindow parent)
{
    auto* c = connection();
    if (!c || !child || !parent)
        return false;
    return x11::withoutErrors(c->display, [&] {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(c->display, child, &attributes))
            XReparentWindow(c->display, child, parent, attributes.x, attributes.y);
    });
}

bool postCloseRequest(NativeWindow window)
{
    auto* c = connection();
    if (!c || !window)
        return false;
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = c->wmProtocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(c->wmDeleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    return x11::withoutErrors(c->display, [&] { XSendEvent(c->display, window, False, NoEventMask, &event); });
}

void prepareChildOf(NativeWindow)
{
    // X has one kind of pixel: any window can be any window's child.
}

}  // namespace platform
